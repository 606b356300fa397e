#include "support/IndexDifferential.h"

#include "db/AppError.h"
#include "db/Recordset.h"
#include "db/index/WordIndex.h"
#include "db/index/WordIndexCache.h"

QStringList Outcome::column(int i) const {
    QStringList texts;
    for (const QStringList& row : rows)
        texts << row.value(i);
    return texts;
}

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    out << o.columns.join(' ').toStdString() << "; " << o.rows.size() << " rows";
    for (qsizetype i = 0; i < std::min<qsizetype>(o.rows.size(), 8); ++i)
        out << " [" << o.rows[i].join('|').toStdString() << "]/" << o.skipped.value(i);
    if (!o.skipped.isEmpty())
        out << " end/" << o.skipped.back();
    if (!o.error.isEmpty())
        out << " error: " << o.error.toStdString();
    return out;
}

Outcome runStatement(Connection& connection, const QString& sql, const std::optional<RowFilter>& filter) {
    Outcome o;
    try {
        Recordset rs;
        rs.setRowFilter(filter);
        rs.open(sql, connection);
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const FieldInfo f = rs.field(i);
            o.columns << QStringLiteral("%1:%2:%3").arg(f.name).arg(f.type).arg(f.definedSize);
        }
        while (!rs.eof()) {
            o.skipped << rs.rowsSkipped();
            QStringList row;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const QVariant v = rs.value(i);
                row << (v.isValid() ? v.toString() : QStringLiteral("<Null>"));
            }
            o.rows << row;
            rs.moveNext();
        }
        o.skipped << rs.rowsSkipped();
    } catch (const AppError& e) {
        o.error = e.description();
    }
    return o;
}

EngineOnly::EngineOnly() {
    WordIndexCache::setEnabled(false);
}

EngineOnly::~EngineOnly() {
    WordIndexCache::setEnabled(true);
}

IndexDifferential::IndexDifferential(const QString& connectionString) {
    m_fromMemory.open(connectionString);
    m_engine.open(connectionString);
}

std::pair<Outcome, Outcome> IndexDifferential::run(const QString& sql,
                                                   const std::optional<RowFilter>& filter) {
    const std::vector<WordIndex::Vectors> widths = WordIndex::availableVectors();
    Outcome fromMemory;
    for (const WordIndex::Vectors width : widths) {
        WordIndex::useVectors(width);
        Outcome o = runStatement(m_fromMemory, sql, filter);
        if (width != widths.front() && !(o == fromMemory))
            o.error += QStringLiteral(" (differs with vector width %1)").arg(int(width));
        fromMemory = o;
    }
    // Statements without TOP split large work between two threads; here every one does.
    WordIndex::useTwoThreadsFrom(0);
    const Outcome shared = runStatement(m_fromMemory, sql, filter);
    WordIndex::useTwoThreadsFrom(-1);
    if (!(shared == fromMemory))
        fromMemory.error += QStringLiteral(" (differs on two threads)");
    EngineOnly off;
    return {fromMemory, runStatement(m_engine, sql, filter)};
}
