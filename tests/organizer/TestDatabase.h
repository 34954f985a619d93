#pragma once

#include "organizer/EventStore.h"

#include <QFile>

#include <sqlite3.h>

// An empty organizer database file as the build ships it.
inline bool createOrganizerDatabase(const QString& path)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, EventStore::schemaSql().toUtf8().constData(), nullptr, nullptr,
                            nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}
