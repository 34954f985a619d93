#include "organizer/CalendarEvent.h"

QString countText(qint64 count, const char* singular, const char* plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(
        QString::fromLatin1(count == 1 ? singular : plural));
}

namespace EventTime {

namespace {
const QString kFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QString toText(const QDateTime& value)
{
    return value.isValid() ? value.toString(kFormat) : QString();
}

QDateTime fromText(const QString& text)
{
    QDateTime value = QDateTime::fromString(text.trimmed(), kFormat);
    if (!value.isValid()) // rows written by hand may leave out the seconds or the time
        value = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!value.isValid()) {
        const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (date.isValid())
            value = QDateTime(date, QTime(0, 0));
    }
    return value;
}

QDateTime toSeconds(const QDateTime& value)
{
    const QTime time = value.time();
    return QDateTime(value.date(), QTime(time.hour(), time.minute(), time.second()));
}

} // namespace EventTime
