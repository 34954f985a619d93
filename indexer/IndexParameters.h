#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// The indexer's parameter file ContentIndex.ini: the 24 tuning values of the
// resource profiles under [ContentIndex], and under [Catalog] the folders to
// index ("Folders", separated by ';') and the name patterns to leave out
// ("Exclude", wildcards separated by ';').
struct IndexParameters
{
    static constexpr int kValueCount = 24;
    // Names in the order a profile writes them.
    static const std::array<const char*, kValueCount> kNames;
    // The values of profile 1, 2 and 3 in that order.
    static std::optional<std::array<std::uint32_t, kValueCount>> profile(int number);

    std::array<std::uint32_t, kValueCount> values{};
    QStringList folders;
    QStringList excludePatterns;

    std::uint32_t value(const char* name) const;

    // Reads the file; a missing or bad value takes profile 1's, a missing
    // scope the home folder.
    static IndexParameters load(const QString& path);
    // Writes profile 1 and the default scope when the file is absent. Returns
    // false when it could not be written (the defaults then apply).
    static bool ensureExists(const QString& path);
    // Updates the 24 values of an existing file to a profile, keeping
    // everything else; does nothing for another profile number or a missing file.
    static bool applyProfile(const QString& path, int profile);

    static QStringList defaultExcludePatterns();
};
