#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// A batch of rows handed from a search to its list: the texts of every row
// one after another, every row as wide as the batch. A word search lists one
// text per row, so a row costs no list of its own.
class ResultRows {
public:
    explicit ResultRows(int columns = 1) : m_columns(columns < 1 ? 1 : columns) {}
    // Rows as wide as the widest of them.
    ResultRows(std::initializer_list<QStringList> rows);
    static ResultRows of(const QList<QStringList>& rows);

    int columns() const { return m_columns; }
    qsizetype size() const { return static_cast<qsizetype>(m_texts.size()) / m_columns; }
    bool isEmpty() const { return m_texts.empty(); }
    void reserve(qsizetype rows) { m_texts.reserve(static_cast<std::size_t>(rows * m_columns)); }

    // A row of one text, in a batch of one column.
    void append(QString text);
    // A row of two texts, in a batch of two columns.
    void append(QString first, QString second);
    // A row cut or padded with empty texts to the batch's width.
    void append(const QStringList& row);

    const QString& text(qsizetype row, int column) const {
        return m_texts[static_cast<std::size_t>(row * m_columns + column)];
    }
    // For taking the texts over.
    QString& text(qsizetype row, int column) {
        return m_texts[static_cast<std::size_t>(row * m_columns + column)];
    }
    QStringList row(qsizetype row) const;

private:
    int m_columns;
    std::vector<QString> m_texts;
};
