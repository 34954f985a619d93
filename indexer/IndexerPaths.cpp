#include "indexer/IndexerPaths.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString xdgFolder(const char* variable, const char* fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    // Relative values are invalid by the XDG rules and are ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackBelowHome);
}

} // namespace

QString IndexerPaths::cacheFolder()
{
    return xdgFolder("XDG_CACHE_HOME", ".cache") + QStringLiteral("/lanternfly-desktop");
}

QString IndexerPaths::catalogPath()
{
    return cacheFolder() + QStringLiteral("/catalog.db");
}

QString IndexerPaths::extractionMarkerPath()
{
    return cacheFolder() + QStringLiteral("/extracting");
}

QString IndexerPaths::parameterFilePath()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") +
           QStringLiteral("/lanternfly-desktop/ContentIndex.ini");
}

QString IndexerPaths::serviceLockPath()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir())
        return QDir(runtimeDir).filePath(QStringLiteral("lanternfly-index.lock"));
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("lanternfly-index-%1.lock").arg(::getuid()));
}
