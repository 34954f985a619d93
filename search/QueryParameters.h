#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// The name=value pairs of a query string or form body, split at "&", with
// "+" read as a blank and %XX decoded (a malformed escape stays as it is),
// the bytes read as UTF-8.
class QueryParameters
{
public:
    QueryParameters() = default;
    explicit QueryParameters(const QByteArray& encoded) { append(encoded); }
    void append(const QByteArray& encoded);

    // Names without regard to case; the first occurrence counts; a missing
    // name reads as empty text.
    QString value(QStringView name) const;

    static QByteArray decode(QByteArray piece, bool plusIsBlank);

private:
    std::vector<std::pair<QString, QString>> m_pairs;
};
