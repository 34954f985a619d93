#include "search/QueryParameters.h"

#include <QList>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArray QueryParameters::decode(QByteArray piece, bool plusIsBlank)
{
    if (plusIsBlank)
        piece.replace('+', ' ');
    QByteArray out;
    out.reserve(piece.size());
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char c = piece.at(i);
        if (c == '%' && i + 2 < piece.size()) {
            const int high = hexValue(piece.at(i + 1));
            const int low = hexValue(piece.at(i + 2));
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

void QueryParameters::append(const QByteArray& encoded)
{
    for (const QByteArray& piece : encoded.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf('=');
        const QByteArray name = equals < 0 ? piece : piece.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : piece.mid(equals + 1);
        m_pairs.emplace_back(QString::fromUtf8(decode(name, true)),
                             QString::fromUtf8(decode(value, true)));
    }
}

QString QueryParameters::value(QStringView name) const
{
    for (const auto& [key, value] : m_pairs) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}
