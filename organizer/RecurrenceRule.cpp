#include "organizer/RecurrenceRule.h"

#include "organizer/OrganizerLog.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <libical/ical.h>

namespace {

const char* const kDayCodes[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
const char* const kDayNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
// A series read for display never runs further than this.
constexpr int kMaxOccurrences = 100000;

int dayFromCode(const QString& code)
{
    for (int i = 0; i < 7; ++i)
        if (code == QLatin1String(kDayCodes[i]))
            return i + 1;
    return 0;
}

QString ordinal(int nth)
{
    switch (nth) {
    case 1:
        return QStringLiteral("first");
    case 2:
        return QStringLiteral("second");
    case 3:
        return QStringLiteral("third");
    case 4:
        return QStringLiteral("fourth");
    default:
        return QStringLiteral("last");
    }
}

} // namespace

QString RecurrenceRule::toRRule() const
{
    QStringList parts;
    switch (frequency) {
    case Frequency::Daily:
        parts << QStringLiteral("FREQ=DAILY");
        break;
    case Frequency::Weekly:
        parts << QStringLiteral("FREQ=WEEKLY");
        break;
    case Frequency::Monthly:
        parts << QStringLiteral("FREQ=MONTHLY");
        break;
    case Frequency::Yearly:
        parts << QStringLiteral("FREQ=YEARLY");
        break;
    }
    if (interval > 1)
        parts << QStringLiteral("INTERVAL=%1").arg(interval);
    if (frequency == Frequency::Weekly && weekdays != 0) {
        QStringList days;
        for (int i = 0; i < 7; ++i)
            if (weekdays & (1 << i))
                days << QString::fromLatin1(kDayCodes[i]);
        parts << QStringLiteral("BYDAY=") + days.join(QLatin1Char(','));
    }
    if (frequency == Frequency::Yearly)
        parts << QStringLiteral("BYMONTH=%1").arg(month);
    if (frequency == Frequency::Monthly || frequency == Frequency::Yearly) {
        if (monthlyBy == MonthlyBy::DayOfMonth)
            parts << QStringLiteral("BYMONTHDAY=%1").arg(dayOfMonth);
        else
            parts << QStringLiteral("BYDAY=%1%2")
                         .arg(nth)
                         .arg(QString::fromLatin1(kDayCodes[std::clamp(weekday, 1, 7) - 1]));
    }
    if (end == End::AfterCount)
        parts << QStringLiteral("COUNT=%1").arg(std::max(1, count));
    else if (end == End::ByDate && until.isValid())
        parts << QStringLiteral("UNTIL=%1T235959").arg(until.toString(QStringLiteral("yyyyMMdd")));
    return parts.join(QLatin1Char(';'));
}

std::optional<RecurrenceRule> RecurrenceRule::fromRRule(const QString& text)
{
    RecurrenceRule rule;
    bool haveFrequency = false;
    for (const QString& part : text.trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
        const QString value = part.section(QLatin1Char('='), 1).trimmed().toUpper();
        bool ok = true;
        if (key == QLatin1String("FREQ")) {
            haveFrequency = true;
            if (value == QLatin1String("DAILY"))
                rule.frequency = Frequency::Daily;
            else if (value == QLatin1String("WEEKLY"))
                rule.frequency = Frequency::Weekly;
            else if (value == QLatin1String("MONTHLY"))
                rule.frequency = Frequency::Monthly;
            else if (value == QLatin1String("YEARLY"))
                rule.frequency = Frequency::Yearly;
            else
                return std::nullopt;
        } else if (key == QLatin1String("INTERVAL")) {
            rule.interval = value.toInt(&ok);
            ok = ok && rule.interval >= 1;
        } else if (key == QLatin1String("BYDAY")) {
            rule.weekdays = 0;
            for (const QString& day : value.split(QLatin1Char(','))) {
                const int weekday = dayFromCode(day.right(2));
                if (weekday == 0)
                    return std::nullopt;
                const QString prefix = day.left(day.size() - 2);
                if (!prefix.isEmpty()) {
                    rule.nth = prefix.toInt(&ok);
                    ok = ok && rule.nth != 0 && rule.nth >= -1 && rule.nth <= 4;
                    rule.weekday = weekday;
                    rule.monthlyBy = MonthlyBy::NthWeekday;
                } else {
                    rule.weekdays |= 1 << (weekday - 1);
                }
            }
        } else if (key == QLatin1String("BYMONTHDAY")) {
            rule.dayOfMonth = value.toInt(&ok);
            ok = ok && rule.dayOfMonth >= 1 && rule.dayOfMonth <= 31;
            rule.monthlyBy = MonthlyBy::DayOfMonth;
        } else if (key == QLatin1String("BYMONTH")) {
            rule.month = value.toInt(&ok);
            ok = ok && rule.month >= 1 && rule.month <= 12;
        } else if (key == QLatin1String("COUNT")) {
            rule.count = value.toInt(&ok);
            ok = ok && rule.count >= 1;
            rule.end = End::AfterCount;
        } else if (key == QLatin1String("UNTIL")) {
            rule.until = QDate::fromString(value.left(8), QStringLiteral("yyyyMMdd"));
            ok = rule.until.isValid();
            rule.end = End::ByDate;
        } else if (key != QLatin1String("WKST")) {
            return std::nullopt;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!haveFrequency)
        return std::nullopt;
    return rule;
}

RecurrenceRule RecurrenceRule::defaultFor(const QDateTime& start)
{
    RecurrenceRule rule;
    const QDate day = start.date();
    rule.weekdays = 1 << (day.dayOfWeek() - 1);
    rule.dayOfMonth = day.day();
    rule.weekday = day.dayOfWeek();
    rule.nth = std::min(4, (day.day() - 1) / 7 + 1);
    rule.month = day.month();
    rule.until = day.addMonths(3);
    return rule;
}

QString RecurrenceRule::describe() const
{
    QString text;
    const QString every =
        interval > 1 ? QStringLiteral("Every %1 ").arg(interval) : QStringLiteral("Every ");
    switch (frequency) {
    case Frequency::Daily:
        text = every + (interval > 1 ? QStringLiteral("days") : QStringLiteral("day"));
        break;
    case Frequency::Weekly: {
        text = every + (interval > 1 ? QStringLiteral("weeks") : QStringLiteral("week"));
        QStringList days;
        for (int i = 0; i < 7; ++i)
            if (weekdays & (1 << i))
                days << QString::fromLatin1(kDayNames[i]);
        if (!days.isEmpty())
            text += QStringLiteral(" on ") + days.join(QStringLiteral(", "));
        break;
    }
    case Frequency::Monthly:
    case Frequency::Yearly:
        text = every + (frequency == Frequency::Monthly
                            ? (interval > 1 ? QStringLiteral("months") : QStringLiteral("month"))
                            : (interval > 1 ? QStringLiteral("years") : QStringLiteral("year")));
        if (monthlyBy == MonthlyBy::DayOfMonth)
            text += QStringLiteral(" on day %1").arg(dayOfMonth);
        else
            text += QStringLiteral(" on the %1 %2")
                        .arg(ordinal(nth), QString::fromLatin1(kDayNames[weekday - 1]));
        if (frequency == Frequency::Yearly)
            text += QStringLiteral(" of ") + QLocale::c().monthName(month);
        break;
    }
    if (end == End::AfterCount)
        text += QStringLiteral(", %1 times").arg(count);
    else if (end == End::ByDate)
        text += QStringLiteral(", until %1").arg(until.toString(QStringLiteral("dd.MM.yyyy")));
    return text;
}

bool forEachOccurrence(const QString& rrule, const QDateTime& start,
                       const std::function<bool(int index, const QDateTime& start)>& visit)
{
    // Only rules the dialog can make are expanded: a hand-written
    // FREQ=SECONDLY would otherwise yield millions of occurrences.
    if (!RecurrenceRule::fromRRule(rrule))
        return false;
    icalrecurrencetype rule = icalrecurrencetype_from_string(rrule.toUtf8().constData());
    if (rule.freq == ICAL_NO_RECURRENCE) {
        icalerror_clear_errno();
        return false;
    }
    // Floating (zone-less) times: the rule runs on the wall clock.
    icaltimetype dtstart = icaltime_null_time();
    dtstart.year = start.date().year();
    dtstart.month = start.date().month();
    dtstart.day = start.date().day();
    dtstart.hour = start.time().hour();
    dtstart.minute = start.time().minute();
    dtstart.second = start.time().second();
    dtstart.is_date = 0;
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, dtstart);
    if (!iterator) {
        icalerror_clear_errno();
        return false;
    }
    int index = 0;
    for (icaltimetype next = icalrecur_iterator_next(iterator);
         !icaltime_is_null_time(next) && index < kMaxOccurrences;
         next = icalrecur_iterator_next(iterator), ++index) {
        const QDateTime occurrence(QDate(next.year, next.month, next.day),
                                   QTime(next.hour, next.minute, next.second));
        if (!occurrence.isValid())
            continue;
        if (!visit(index, occurrence))
            break;
    }
    icalrecur_iterator_free(iterator);
    return true;
}
