#include "app/DateTimeValue.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

} // namespace

namespace DateTimeValue {

double fromDateTime(const QDate& date, const QTime& time)
{
    const double days = static_cast<double>(kEpoch.daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / kMsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

double fromQDateTime(const QDateTime& local)
{
    return fromDateTime(local.date(), local.time());
}

QDateTime toQDateTime(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        return QDateTime();
    const double whole = std::trunc(value);
    const qint64 ms = std::llround(std::fabs(value - whole) * kMsPerDay);
    QDate date = kEpoch.addDays(static_cast<qint64>(whole));
    // Rounding can carry the time of day into the next day.
    if (ms >= static_cast<qint64>(kMsPerDay))
        return QDateTime(date.addDays(1), QTime(0, 0));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

} // namespace DateTimeValue

namespace AppFormatSettings {

QString formatDateTime(double value)
{
    return DateTimeValue::toQDateTime(value).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString formatDate(double value)
{
    return DateTimeValue::toQDateTime(value).toString(QStringLiteral("dd.MM.yyyy"));
}

std::optional<double> parseDateTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(),
                     match.captured(1).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return DateTimeValue::fromDateTime(date, time);
}

} // namespace AppFormatSettings
