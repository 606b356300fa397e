#include "db/Recordset.h"

#include "db/Connection.h"
#include "db/ConnectionImpl.h"
#include "db/ProviderErrors.h"

#include <vector>

// Rows stream from the source one at a time. Only when the whole result is
// needed at once (RecordCount) are they all read into memory; from then on
// the recordset moves over that copy.
class RecordsetImpl {
public:
    std::unique_ptr<RowSource> source;
    std::vector<FieldInfo> fields;
    bool materialised = false;
    std::vector<QVector<QVariant>> rows;
    std::vector<qint64> skipped; // per row, and one more for the end
    qint64 position = 0;

    bool eof() const { return materialised ? position >= qint64(rows.size()) : source->atEnd(); }

    QVector<QVariant> currentRow() const { return materialised ? rows[position] : currentRowFromSource(); }

    void materialise() {
        if (materialised)
            return;
        const qint64 keep = position;
        if (position != 0)
            source->rewind();
        while (!source->atEnd()) {
            rows.push_back(currentRowFromSource());
            skipped.push_back(source->skippedBefore());
            source->advance();
        }
        skipped.push_back(source->skippedBefore());
        materialised = true;
        position = keep;
    }

private:
    QVector<QVariant> currentRowFromSource() const {
        QVector<QVariant> row;
        row.reserve(int(fields.size()));
        for (int i = 0; i < int(fields.size()); ++i)
            row.push_back(source->value(i));
        return row;
    }
};

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::open(const QString& sql, Connection& connection) {
    if (m_impl)
        throw ProviderErrors::objectOpen();
    if (!connection.isOpen())
        throw ProviderErrors::connectionClosed();
    auto impl = std::make_unique<RecordsetImpl>();
    impl->source = connection.impl()->openRows(sql, m_filter ? &*m_filter : nullptr);
    for (int i = 0; i < impl->source->fieldCount(); ++i)
        impl->fields.push_back(impl->source->field(i));
    m_impl = std::move(impl);
}

// Closing a closed recordset does nothing, so clean-up code may always close.
void Recordset::close() {
    m_impl.reset();
}

bool Recordset::isOpen() const {
    return m_impl != nullptr;
}

RecordsetImpl& Recordset::impl() const {
    if (!m_impl)
        throw ProviderErrors::objectClosed();
    return *m_impl;
}

int Recordset::fieldCount() const {
    return int(impl().fields.size());
}

FieldInfo Recordset::field(int index) const {
    const RecordsetImpl& d = impl();
    if (index < 0 || index >= int(d.fields.size()))
        throw ProviderErrors::itemNotFound(QString::number(index));
    return d.fields[index];
}

FieldInfo Recordset::field(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        throw ProviderErrors::itemNotFound(name);
    return impl().fields[index];
}

int Recordset::fieldIndex(const QString& name) const {
    const RecordsetImpl& d = impl();
    for (int i = 0; i < int(d.fields.size()); ++i)
        if (d.fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

RecordsetImpl& Recordset::onField(int index) const {
    RecordsetImpl& d = impl();
    if (index < 0 || index >= int(d.fields.size()))
        throw ProviderErrors::itemNotFound(QString::number(index));
    if (d.eof())
        throw ProviderErrors::noCurrentRecord();
    return d;
}

QVariant Recordset::value(int index) const {
    const RecordsetImpl& d = onField(index);
    return d.materialised ? d.rows[d.position][index] : d.source->value(index);
}

QString Recordset::text(int index) const {
    const RecordsetImpl& d = onField(index);
    return d.materialised ? d.rows[d.position][index].toString() : d.source->text(index);
}

QVariant Recordset::value(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        throw ProviderErrors::itemNotFound(name);
    return value(index);
}

void Recordset::moveFirst() {
    RecordsetImpl& d = impl();
    if (!d.materialised && d.position != 0)
        d.source->rewind();
    d.position = 0;
    if (d.eof())
        throw ProviderErrors::noCurrentRecord();
}

qint64 Recordset::rowsSkipped() const {
    const RecordsetImpl& d = impl();
    return d.materialised ? d.skipped[size_t(d.position)] : d.source->skippedBefore();
}

bool Recordset::eof() const {
    return impl().eof();
}

void Recordset::moveNext() {
    RecordsetImpl& d = impl();
    if (d.eof())
        throw ProviderErrors::noCurrentRecord();
    if (!d.materialised)
        d.source->advance();
    ++d.position;
}

qint64 Recordset::recordCount() {
    RecordsetImpl& d = impl();
    d.materialise();
    return qint64(d.rows.size());
}

QVector<QVector<QVariant>> Recordset::getRows(qint64 count) {
    RecordsetImpl& d = impl();
    if (d.eof())
        throw ProviderErrors::noCurrentRecord();
    QVector<QVector<QVariant>> result(int(d.fields.size()));
    for (qint64 taken = 0; (count < 0 || taken < count) && !d.eof(); ++taken) {
        const QVector<QVariant> row = d.currentRow();
        for (int f = 0; f < int(d.fields.size()); ++f)
            result[f].push_back(row[f]);
        if (!d.materialised)
            d.source->advance();
        ++d.position;
    }
    return result;
}
