#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// user-dirs.dirs is written by xdg-user-dirs-update; a larger file is not one.
constexpr qint64 kMaxUserDirsSize = 64 * 1024;

// A shell word as xdg-user-dirs writes it: "..." with backslash escapes, or bare.
QByteArray unquote(QByteArray value)
{
    value = value.trimmed();
    if (!value.startsWith('"'))
        return value;
    QByteArray result;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '"')
            break;
        if (c == '\\' && i + 1 < value.size())
            result += value.at(++i);
        else
            result += c;
    }
    return result;
}

} // namespace

XdgUserFolders::XdgUserFolders()
    : XdgUserFolders(qEnvironmentVariable("HOME"), qEnvironmentVariable("XDG_CONFIG_HOME"))
{}

XdgUserFolders::XdgUserFolders(QString home, QString configHome)
    : m_home(std::move(home)), m_configHome(std::move(configHome))
{
    // A relative XDG_CONFIG_HOME is invalid and means the default.
    if (m_configHome.isEmpty() || QDir::isRelativePath(m_configHome))
        m_configHome = m_home + QStringLiteral("/.config");
}

QString XdgUserFolders::userDirValue(const QByteArray& userDirs, const QByteArray& key,
                                     const QString& home)
{
    QByteArray found;
    bool present = false;
    for (const QByteArray& rawLine : userDirs.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0 || line.left(equals).trimmed() != key)
            continue;
        // The file is sourced by shells: the last assignment wins.
        found = unquote(line.mid(equals + 1));
        present = true;
    }
    if (!present)
        return {};
    QString value = QString::fromUtf8(found);
    if (value.startsWith(QLatin1String("$HOME")))
        value.replace(0, 5, home);
    return value;
}

QString XdgUserFolders::picturesFolder() const
{
    QString folder;
    QFile file(m_configHome + QStringLiteral("/user-dirs.dirs"));
    if (file.open(QIODevice::ReadOnly))
        folder = userDirValue(file.read(kMaxUserDirsSize), "XDG_PICTURES_DIR", m_home);

    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        const QString fallback = m_home + QStringLiteral("/Pictures");
        return !m_home.isEmpty() && QFileInfo(fallback).isDir() ? fallback : QString();
    }
    // Pointing a user folder at the home folder is how it is switched off.
    if (!m_home.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(m_home))
        return {};
    return folder;
}
