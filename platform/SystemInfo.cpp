#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

int SystemInfo::osMajorVersion() const
{
    return 5;
}

QString SystemInfo::executablePath() const
{
    const QString resolved = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!resolved.isEmpty())
        return resolved;
    return QCoreApplication::applicationFilePath();
}

QString SystemInfo::programFolder() const
{
    return QFileInfo(executablePath()).absolutePath() + QLatin1Char('/');
}
