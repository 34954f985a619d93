#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

bool FreedesktopNotifier::notify(const QString& title, const QString& text, int icon, int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    static const char* const kIcons[] = {"", "dialog-information", "dialog-warning",
                                         "dialog-error"};
    // Urgency: 0 low, 1 normal, 2 critical; errors stay normal so they do not pin the screen.
    const uchar urgency = icon == 0 ? 0 : 1;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgency));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("lanternfly-desktop"));
    call << QStringLiteral("Lanternfly Desktop") << uint(0)
         << QString::fromLatin1(kIcons[icon >= 0 && icon <= 3 ? icon : 0]) << title << text
         << QStringList() << hints << timeoutMs;
    // A short bound: a hung service must not freeze the sidebar.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage;
}
