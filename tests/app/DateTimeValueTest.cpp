#include "app/DateTimeValue.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(DateTimeValueTest, DaysSince1899)
{
    EXPECT_EQ(DateTimeValue::fromDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0);
    EXPECT_EQ(DateTimeValue::fromDateTime(QDate(1900, 1, 6), QTime(0, 0)), 7.0);
    EXPECT_EQ(DateTimeValue::fromDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
    EXPECT_EQ(DateTimeValue::toQDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    // Whole milliseconds survive the trip through a double.
    const QDateTime moment(QDate(2026, 12, 11), QTime(23, 59, 59, 999));
    EXPECT_EQ(DateTimeValue::toQDateTime(DateTimeValue::fromQDateTime(moment)), moment);
    EXPECT_FALSE(DateTimeValue::toQDateTime(1e300).isValid());
}

TEST(DateTimeValueTest, OwnFormatIgnoresTheUserLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // month first
    const auto parsed = AppFormatSettings::parseDateTime("01.01.2200 00:00");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(DateTimeValue::toQDateTime(*parsed), QDateTime(QDate(2200, 1, 1), QTime(0, 0)));
    const auto mayDay = AppFormatSettings::parseDateTime("4.5.2007 8:30:05");
    ASSERT_TRUE(mayDay);
    EXPECT_EQ(AppFormatSettings::formatDateTime(*mayDay), "04.05.2007 08:30:05");
    QLocale::setDefault(saved);

    for (const char* bad : {"", "2007-05-04", "32.01.2007", "29.02.2007", "01.01.07",
                            "01.01.2007 24:00", "01.01.2007 1", "x01.01.2007"})
        EXPECT_FALSE(AppFormatSettings::parseDateTime(bad)) << bad;
}

} // namespace
