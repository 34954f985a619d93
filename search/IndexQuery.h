#pragma once

#include <QString>

#include <functional>

class ResultsTable;
struct StatementResult;

// Runs one statement against the file catalogue; throws StatementError.
using StatementRunner = std::function<StatementResult(const QString& statement)>;

// The desktop search's question to the file index.
class IndexQuery
{
public:
    explicit IndexQuery(StatementRunner runner);

    // The three-line statement for a phrase search of text over every folder.
    // Quotes in text are doubled, so the phrase is what was typed.
    static QString statementFor(const QString& text);

    // Replaces table with the hits for text, ordered by sortKey; true when
    // there was at least one hit. Provider errors reach the caller; the
    // table is then left empty.
    bool LoadResults(const QString& text, const QString& sortKey, ResultsTable& table) const;

private:
    StatementRunner m_runner;
};
