#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopUrlOpener::open(const QString& address)
{
    const QUrl url = address.contains(QLatin1String("://"))
                         ? QUrl::fromEncoded(address.toUtf8(), QUrl::TolerantMode)
                         : QUrl::fromLocalFile(address);
    // Whether an application takes it is not checked: the desktop reports that itself.
    QDesktopServices::openUrl(url);
}
