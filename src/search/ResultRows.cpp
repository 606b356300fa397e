#include "search/ResultRows.h"

#include <algorithm>

namespace {
template <class Rows> int widest(const Rows& rows) {
    int columns = 1;
    for (const QStringList& row : rows)
        columns = std::max(columns, static_cast<int>(row.size()));
    return columns;
}
} // namespace

ResultRows::ResultRows(std::initializer_list<QStringList> rows) : ResultRows(widest(rows)) {
    for (const QStringList& row : rows)
        append(row);
}

ResultRows ResultRows::of(const QList<QStringList>& rows) {
    ResultRows result(widest(rows));
    result.reserve(rows.size());
    for (const QStringList& row : rows)
        result.append(row);
    return result;
}

void ResultRows::append(QString text) {
    m_texts.push_back(std::move(text));
    for (int c = 1; c < m_columns; ++c)
        m_texts.emplace_back();
}

void ResultRows::append(QString first, QString second) {
    m_texts.push_back(std::move(first));
    if (m_columns > 1)
        m_texts.push_back(std::move(second));
    for (int c = 2; c < m_columns; ++c)
        m_texts.emplace_back();
}

void ResultRows::append(const QStringList& row) {
    for (int c = 0; c < m_columns; ++c)
        m_texts.push_back(c < row.size() ? row.at(c) : QString());
}

QStringList ResultRows::row(qsizetype row) const {
    QStringList texts;
    texts.reserve(m_columns);
    for (int c = 0; c < m_columns; ++c)
        texts.append(text(row, c));
    return texts;
}
