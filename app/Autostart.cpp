#include "app/Autostart.h"

#include "app/AppLog.h"
#include "app/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Autostart {

QString entryPath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/autostart/Start Lanternfly Desktop.desktop");
}

QString quotedExecArgument(const QString& argument)
{
    // Inside double quotes '"', '`', '$' and '\' take a backslash; field codes
    // start with '%', so a literal one is doubled.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    // The Exec value is a string value too: its own escapes come on top.
    QString value;
    for (const QChar c : quoted) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else
            value += c;
    }
    return value;
}

QByteArray entryText(const QString& executablePath)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Lanternfly Desktop\n"
                                  "Comment=Start Lanternfly Desktop\n");
    text += QStringLiteral("Exec=") + quotedExecArgument(executablePath) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

void apply(bool enable, const QString& executablePath)
{
    const QString path = entryPath();
    try {
        if (!enable) {
            if (QFileInfo::exists(path) && !QFile::remove(path))
                qCWarning(lcApp).noquote() << "cannot remove the autostart entry" << path;
            return;
        }
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            qCWarning(lcApp).noquote() << "cannot create the folder of" << path;
            return;
        }
        QString error;
        if (!AtomicFile::write(path, entryText(executablePath), &error))
            qCWarning(lcApp).noquote()
                << "cannot write the autostart entry" << path << "-" << error;
    } catch (const std::exception& exception) {
        qCWarning(lcApp) << "autostart not applied:" << exception.what();
    }
}

} // namespace Autostart
