#include "shell/UrlEncoding.h"

#include <QByteArray>

namespace UrlEncoding {
namespace {

enum class Part
{
    Path,
    Query
};

QByteArray encodePart(const QByteArray& bytes, Part part)
{
    static const char kHex[] = "0123456789ABCDEF";
    const QByteArray special =
        part == Part::Path ? QByteArrayLiteral("*#%<>+ []") : QByteArrayLiteral("*#%<> []");
    const int lowest = part == Part::Path ? 32 : 33;
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        // Every byte from 127 up is encoded: a raw DEL or a lone UTF-8 byte is
        // no valid address character.
        if (byte < lowest || byte > 126 || special.contains(c)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString encodeWebAddress(const QString& address)
{
    QByteArray text = address.toUtf8();
    text.replace('\\', '/');
    const qsizetype fragment = text.indexOf('#');
    if (fragment >= 0)
        text.truncate(fragment);

    const qsizetype schemeEnd = text.indexOf("://");
    const qsizetype authorityStart = schemeEnd < 0 ? 0 : schemeEnd + 3;
    qsizetype queryStart = text.indexOf('?', authorityStart);
    const qsizetype pathStart = [&] {
        const qsizetype slash = text.indexOf('/', authorityStart);
        return slash >= 0 && (queryStart < 0 || slash < queryStart) ? slash
               : queryStart >= 0                                    ? queryStart
                                                                    : text.size();
    }();
    if (queryStart < 0)
        queryStart = text.size();

    QByteArray out = text.left(pathStart); // protocol, host and port as they are
    out += encodePart(text.mid(pathStart, queryStart - pathStart), Part::Path);
    if (queryStart < text.size()) {
        out += '?';
        out += encodePart(text.mid(queryStart + 1), Part::Query);
    }
    return QString::fromLatin1(out);
}

QString addressToOpen(const QString& address)
{
    if (address.contains(QLatin1String("://127")))
        return address;
    if (address.contains(QLatin1String("://")))
        return encodeWebAddress(address);
    return address;
}

} // namespace UrlEncoding
