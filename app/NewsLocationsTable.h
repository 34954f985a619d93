#pragma once

#include <QString>

#include <optional>
#include <span>

// The 26 news language editions and their headline feeds.
namespace NewsLocationsTable {

struct Row
{
    const char* language; // LANGUAGE, shown in the settings dialog
    const char* location; // LOCATION, the feed's absolute address
};

// The rows in stored order.
std::span<const Row> storedRows();
// The languages sorted by name, the order in which readers meet them.
QStringList languagesSorted();
// The LOCATION of the last row whose LANGUAGE equals language.
std::optional<QString> locationOf(const QString& language);

} // namespace NewsLocationsTable
