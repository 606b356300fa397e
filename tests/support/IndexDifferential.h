#pragma once

#include "db/Connection.h"
#include "db/RowFilter.h"
#include "support/Printing.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <ostream>
#include <utility>

// What a statement gives through the provider: its columns (name, type code,
// defined size), its rows in order, the rows a row filter passed over before
// each row and at the end, or the error it raised.
struct Outcome {
    QStringList columns;
    QList<QStringList> rows;
    QList<qint64> skipped;
    QString error;

    bool operator==(const Outcome&) const = default;
    QStringList column(int i = 0) const;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o);

Outcome runStatement(Connection& connection, const QString& sql, const std::optional<RowFilter>& filter = {});

// Answering from memory (the word index and the range rewrite) is switched off
// for the life of this object.
struct EngineOnly {
    EngineOnly();
    ~EngineOnly();
};

// The same statement answered from memory and by the engine alone. From memory
// it runs with every vector width the processor has and on two threads; they
// must all agree, or the outcome says where they differ.
class IndexDifferential {
public:
    explicit IndexDifferential(const QString& connectionString);
    // first: from memory, second: the engine's.
    std::pair<Outcome, Outcome> run(const QString& sql, const std::optional<RowFilter>& filter = {});

private:
    Connection m_fromMemory;
    Connection m_engine;
};
