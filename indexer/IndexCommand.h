#pragma once

#include <QStringList>

// The lanternfly-index command line: serve, update, query, search, stats.
// Exit codes scripts can rely on:
//   0  done; for query and search, at least one row
//   1  query or search found nothing
//   2  bad usage or a statement that is not understood
//   3  the catalogue cannot be opened or written
//   4  serve: another service already runs for this user
namespace IndexCommand {

enum ExitCode
{
    Ok = 0,
    NoRows = 1,
    Usage = 2,
    CatalogError = 3,
    AlreadyRunning = 4,
};

int run(const QStringList& arguments);

} // namespace IndexCommand
