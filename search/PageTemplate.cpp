#include "search/PageTemplate.h"

#include <QFile>

#include <stdexcept>

PageTemplate PageTemplate::fromResource(const QString& name)
{
    QFile file(QStringLiteral(":/pages/%1.html").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("page template " + name.toStdString() + " is missing");
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start another.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return PageTemplate(std::move(lines));
}

QString PageTemplate::content(const TagHandler& handler) const
{
    QString out;
    for (const QString& line : m_lines) {
        qsizetype from = 0;
        for (;;) {
            const qsizetype open = line.indexOf(QLatin1String("<#"), from);
            const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char('>'), open + 2);
            if (close < 0) {
                out += QStringView(line).mid(from);
                break;
            }
            out += QStringView(line).mid(from, open - from);
            QStringView tag = QStringView(line).mid(open + 2, close - open - 2);
            const qsizetype blank = tag.indexOf(QLatin1Char(' '));
            if (blank >= 0)
                tag = tag.left(blank);
            out += handler(tag.toString());
            from = close + 1;
        }
        out += QLatin1String("\r\n");
    }
    return out;
}
