#include "search/WebText.h"

#include <QUrl>

namespace WebText {

QString htmlEscape(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString encodeLinkValue(const QString& value, bool keepSlash)
{
    return QString::fromLatin1(
        QUrl::toPercentEncoding(value, keepSlash ? QByteArrayLiteral("/") : QByteArray()));
}

QString desktopSearchAddress(const QString& text)
{
    return QLatin1String(kResultsPrefix) + QLatin1String("?s=relevancy&p=0&q=") +
           encodeLinkValue(text);
}

QString vendorSearchAddress(const QString& text)
{
    return QLatin1String(kVendorSite) + QLatin1String("/search.php?q=") + text +
           QLatin1String("&c=1&r=1&it=1&wes=0");
}

} // namespace WebText
