#pragma once

#include <QDateTime>

#include <optional>

// Date-times as the program computes with them: days since 30 December 1899
// 00:00 as a double, the time of day as the fraction (7 more is a week later).
// Before that day the whole part counts back and the fraction still runs
// forward, so -1.25 is 29 December 1899 06:00.
namespace DateTimeValue {

double fromDateTime(const QDate& date, const QTime& time);
double fromQDateTime(const QDateTime& local);
// Rounded to the millisecond; an invalid QDateTime for values outside QDate's range.
QDateTime toQDateTime(double value);

} // namespace DateTimeValue

// The program's own date-time text, "dd.mm.yyyy hh:nn:ss" with '.' and ':'
// whatever the user's locale, so that dates the program writes itself read
// back the same everywhere.
namespace AppFormatSettings {

QString formatDateTime(double value);
QString formatDate(double value);
// Accepts "d.m.yyyy", optionally followed by "h:n" or "h:n:s" (one or two
// digits each). Nothing for any other text or an impossible date.
std::optional<double> parseDateTime(const QString& text);

} // namespace AppFormatSettings
