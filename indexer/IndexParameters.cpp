#include "indexer/IndexParameters.h"

#include "app/AtomicFile.h"
#include "app/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kValuesSection = QStringLiteral("ContentIndex");
const QString kCatalogSection = QStringLiteral("Catalog");

constexpr std::array<std::array<std::uint32_t, IndexParameters::kValueCount>, 3> kProfiles = {{
    {0,           5,      5,  2,  1,    5,    5,    50,  1024,  0, 0, 0,
     4294967295u, 100000, 32, 32, 1012, 1024, 1024, 100, 10000, 0, 1, 1},
    {1,   20,    32, 4, 10, 2,    90,   25, 256,  100, 60,   3,
     820, 60000, 8,  8, 25, 1024, 1024, 10, 5000, 60,  4096, 2},
    {1,   20,    32, 1, 10, 10,  180, 20, 206,  100, 120,  3,
     410, 60000, 8,  8, 10, 512, 512, 10, 5000, 120, 8192, 4},
}};

std::optional<IniDocument> readIni(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniDocument::parse(file.readAll());
}

QStringList splitList(const QString& text)
{
    QStringList items;
    for (const QString& item : text.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items.append(trimmed);
    }
    return items;
}

} // namespace

const std::array<const char*, IndexParameters::kValueCount> IndexParameters::kNames = {
    "DelayUsnReadOnLowResource",
    "FilterDelayInterval",
    "FilterRemainingThreshold",
    "FilterRetries",
    "DelayedFilterRetries",
    "FilterRetryInterval",
    "LowResourceSleep",
    "MaxIndexes",
    "MinSizeMergeWordlists",
    "MinWordlistBattery",
    "WordlistUserIdle",
    "ScanBackoff",
    "MaxWordlistIo",
    "MaxFreshCount",
    "PropertyStoreMappedCache",
    "SecPropertyStoreMappedCache",
    "MaxWordLists",
    "PropertyStoreBackupSize",
    "SecPropertyStoreBackupSize",
    "MaxWordlistIoDiskPerf",
    "MaxFreshDeletes",
    "UsnReadTimeout",
    "UsnReadMinSize",
    "ServiceUsage",
};

std::optional<std::array<std::uint32_t, IndexParameters::kValueCount>>
IndexParameters::profile(int number)
{
    if (number < 1 || number > 3)
        return std::nullopt;
    return kProfiles[static_cast<size_t>(number - 1)];
}

std::uint32_t IndexParameters::value(const char* name) const
{
    for (int i = 0; i < kValueCount; ++i)
        if (qstrcmp(kNames[static_cast<size_t>(i)], name) == 0)
            return values[static_cast<size_t>(i)];
    return 0;
}

QStringList IndexParameters::defaultExcludePatterns()
{
    return {QStringLiteral("*~"),          QStringLiteral("*.tmp"),
            QStringLiteral("*.swp"),       QStringLiteral("*.o"),
            QStringLiteral("*.pyc"),       QStringLiteral("node_modules"),
            QStringLiteral("__pycache__"), QStringLiteral("CMakeFiles")};
}

IndexParameters IndexParameters::load(const QString& path)
{
    IndexParameters parameters;
    parameters.values = kProfiles[0];
    parameters.folders = {QDir::homePath()};
    parameters.excludePatterns = defaultExcludePatterns();
    const auto ini = readIni(path);
    if (!ini)
        return parameters;
    for (size_t i = 0; i < kValueCount; ++i) {
        // Values are 32-bit unsigned like the registry's; -1 reads as all bits set.
        const auto text = ini->value(kValuesSection, QLatin1String(kNames[i]));
        if (!text)
            continue;
        bool ok = false;
        const qlonglong number = text->startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                     ? text->mid(2).toLongLong(&ok, 16)
                                     : text->toLongLong(&ok);
        if (ok && number >= -1 && number <= 0xffffffffLL)
            parameters.values[i] = static_cast<std::uint32_t>(number);
    }
    if (const auto folders = ini->value(kCatalogSection, QStringLiteral("Folders"))) {
        QStringList absolute;
        for (const QString& folder : splitList(*folders))
            if (QDir::isAbsolutePath(folder))
                absolute.append(QDir::cleanPath(folder));
        parameters.folders = absolute;
    }
    if (const auto exclude = ini->value(kCatalogSection, QStringLiteral("Exclude")))
        parameters.excludePatterns = splitList(*exclude);
    return parameters;
}

bool IndexParameters::ensureExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    IniDocument ini;
    for (size_t i = 0; i < kValueCount; ++i)
        ini.setValue(kValuesSection, QLatin1String(kNames[i]), QString::number(kProfiles[0][i]));
    ini.setValue(kCatalogSection, QStringLiteral("Folders"), QDir::homePath());
    ini.setValue(kCatalogSection, QStringLiteral("Exclude"), defaultExcludePatterns().join(u';'));
    return AtomicFile::write(path, ini.serialize(), nullptr);
}

bool IndexParameters::applyProfile(const QString& path, int number)
{
    const auto values = profile(number);
    auto ini = readIni(path);
    if (!values || !ini)
        return false;
    for (size_t i = 0; i < kValueCount; ++i)
        ini->setValue(kValuesSection, QLatin1String(kNames[i]), QString::number((*values)[i]));
    return AtomicFile::write(path, ini->serialize(), nullptr);
}
