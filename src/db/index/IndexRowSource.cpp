#include "db/index/IndexRowSource.h"

#include "db/AppError.h"
#include "db/DeclaredType.h"
#include "db/ProviderErrors.h"
#include "db/index/IndexedStatement.h"
#include "db/index/WordIndexCache.h"
#include "db/jet/JetLike.h"
#include "db/native/DatabaseHandle.h"

#include <sqlite3.h>

std::unique_ptr<IndexRowSource> IndexRowSource::open(const std::shared_ptr<DatabaseHandle>& handle,
                                                     const IndexedStatement& statement,
                                                     const QString& engineSql, const RowFilter* filter) {
    // The engine describes the column (and checks the statement) without running it.
    FieldInfo field;
    try {
        sqlite3_stmt* prepared = handle->prepare(engineSql);
        const bool described = sqlite3_column_count(prepared) == 1 && sqlite3_column_decltype(prepared, 0);
        if (described) {
            const DeclaredType::Field f =
                DeclaredType::toField(QString::fromUtf8(sqlite3_column_decltype(prepared, 0)));
            field = {QString::fromUtf8(sqlite3_column_name(prepared, 0)), f.type, f.definedSize};
        }
        sqlite3_finalize(prepared);
        if (!described || field.type == 0)
            return nullptr;
    } catch (const AppError&) {
        return nullptr;
    }

    std::shared_ptr<const LiveWordIndex> index = WordIndexCache::acquire(*handle);
    if (!index)
        return nullptr;
    WordIndex::Rows rows;
    if (statement.kind == IndexedStatement::Kind::Length) {
        rows = index->withLength(statement.length, filter);
    } else {
        try {
            const JetLike like(statement.pattern);
            rows = index->like(like, statement.top, filter);
        } catch (const AppError&) {
            return nullptr; // a malformed pattern: the engine reports it
        }
    }
    return std::unique_ptr<IndexRowSource>(new IndexRowSource(std::move(index), field, std::move(rows)));
}

IndexRowSource::IndexRowSource(std::shared_ptr<const LiveWordIndex> index, FieldInfo field,
                               WordIndex::Rows rows)
    : m_index(std::move(index)), m_field(std::move(field)), m_rows(std::move(rows)) {}

FieldInfo IndexRowSource::field(int index) const {
    if (index != 0)
        throw ProviderErrors::itemNotFound(QString::number(index));
    return m_field;
}

void IndexRowSource::advance() {
    if (atEnd())
        throw ProviderErrors::noCurrentRecord();
    ++m_position;
    // Rows a caller reads one after another are scattered over memory.
    constexpr size_t kAhead = 4;
    if (m_position + kAhead < m_rows.words.size())
        m_index->prefetch(m_rows.words[m_position + kAhead]);
}

QVariant IndexRowSource::value(int index) const {
    return QVariant(text(index));
}

QString IndexRowSource::text(int index) const {
    if (atEnd())
        throw ProviderErrors::noCurrentRecord();
    if (index != 0)
        throw ProviderErrors::itemNotFound(QString::number(index));
    return m_index->word(m_rows.words[m_position]);
}

qint64 IndexRowSource::skippedBefore() const {
    if (!m_rows.filtered)
        return 0;
    return atEnd() ? m_rows.skippedAfter : m_rows.skippedBefore[m_position];
}
