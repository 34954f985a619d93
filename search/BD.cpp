#include "search/BD.h"

#include "indexer/IndexerPaths.h"
#include "indexer/StatementProvider.h"

BD::BD(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("BD"));
}

StatementRunner BD::catalogStatements()
{
    return [provider = StatementProvider(IndexerPaths::catalogPath())](const QString& statement) {
        return provider.run(statement);
    };
}
