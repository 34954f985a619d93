#pragma once

#include "search/IndexQuery.h"

#include <QObject>

// The connection to the file index, shared by the results table and pages.
class BD : public QObject
{
    Q_OBJECT
public:
    explicit BD(QObject* parent = nullptr);

    // Runs statements on the indexer's catalogue
    // ($XDG_CACHE_HOME/lanternfly-desktop/catalog.db), opened per statement
    // and read-only, so it answers while the indexer writes.
    static StatementRunner catalogStatements();
};
