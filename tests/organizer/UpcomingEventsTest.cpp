#include "organizer/UpcomingEvents.h"

#include "organizer/EventStore.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 10), QTime(12, 0, 0));
const QString kDeg = QString(QChar(0x00B0)) + QLatin1Char(' ');

struct Row
{
    qint64 finishSecsFromNow;
    const char* caption;
    const char* message;
};

struct RefreshCase
{
    const char* name;
    const char* period;
    std::vector<Row> rows;
    // Empty when the labels must stay as they were.
    std::vector<QString> texts;
    std::vector<qint64> finishSecs;
};

constexpr qint64 kHour = 3600;
constexpr qint64 kDay = 24 * kHour;

QString label(const char* caption, const char* message)
{
    return kDeg + QString::fromUtf8(caption) + QStringLiteral(".\r\n") + QString::fromUtf8(message);
}

std::vector<RefreshCase> refreshCases()
{
    return {
        {"empty table", "PDay", {}, {}, {}},
        {"only event 20 days ahead widens the window",
         "PDay",
         {{20 * kDay, "Dentist", "10 am"}},
         {label("Dentist", "10 am"), "", ""},
         {20 * kDay, 20 * kDay, 20 * kDay}},
        {"widened window shows all it holds",
         "PDay",
         {{20 * kDay, "A", "a"}, {30 * kDay + 12 * kHour, "B", "b"}, {32 * kDay, "C", "c"}},
         {label("A", "a"), label("B", "b"), ""},
         {20 * kDay, 30 * kDay + 12 * kHour, 30 * kDay + 12 * kHour}},
        {"first window holding a row does not widen",
         "PDay",
         {{10 * kHour, "Soon", "x"}, {2 * kDay, "Later", "y"}},
         {label("Soon", "x"), "", ""},
         {10 * kHour, 10 * kHour, 10 * kHour}},
        {"both bounds inclusive, the past excluded",
         "PDay",
         {{-60, "Gone", "g"}, {0, "Now", "n"}, {kDay, "Edge", "e"}, {kDay + 1, "Out", "o"}},
         {label("Now", "n"), label("Edge", "e"), ""},
         {0, kDay, kDay}},
        {"three rows of a week",
         "PWeek",
         {{3 * kDay, "C", "3"}, {kDay, "A", "1"}, {2 * kDay, "B", "2"}, {4 * kDay, "D", "4"}},
         {label("A", "1"), label("B", "2"), label("C", "3")},
         {kDay, 2 * kDay, 3 * kDay}},
        {"two identical rows hide the third label",
         "PWeek",
         {{kDay, "Call Bob", "Bring the report"},
          {2 * kDay, "Call Bob", "Bring the report"},
          {3 * kDay, "Other", "o"}},
         {label("Call Bob", "Bring the report"), "", ""},
         {kDay, 2 * kDay, 3 * kDay}},
        {"unknown period acts as a day",
         "Fortnight",
         {{10 * kHour, "Soon", "x"}, {3 * kDay, "Later", "y"}},
         {label("Soon", "x"), "", ""},
         {10 * kHour, 10 * kHour, 10 * kHour}},
        {"nothing before 2200 keeps the labels",
         "PCent",
         {{qint64(QDate(2024, 3, 10).daysTo(QDate(2200, 1, 2))) * kDay, "Far", "f"}},
         {},
         {}},
    };
}

class UpcomingRefreshTest : public ::testing::TestWithParam<RefreshCase>
{};

TEST_P(UpcomingRefreshTest, LabelsAndFinishes)
{
    const RefreshCase& test = GetParam();
    EventStore store = EventStore::openInMemory();
    for (const Row& row : test.rows) {
        CalendarEvent event;
        event.finish = kNow.addSecs(row.finishSecsFromNow);
        event.start = event.finish.addSecs(-kHour);
        event.caption = QString::fromUtf8(row.caption);
        event.message = QString::fromUtf8(row.message);
        store.insert(event);
    }
    const auto labels = UpcomingEvents::refresh(kNow, QString::fromLatin1(test.period), store);
    if (test.texts.empty()) {
        EXPECT_FALSE(labels.has_value());
        return;
    }
    ASSERT_TRUE(labels.has_value());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(labels->texts[i], test.texts[i]) << "label " << i + 1;
        EXPECT_EQ(labels->finishes[i], kNow.addSecs(test.finishSecs[i])) << "finish " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UpcomingRefreshTest, ::testing::ValuesIn(refreshCases()),
                         [](const auto& caseInfo) {
                             std::string name = caseInfo.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(UpcomingEventsTest, WidenedFarEndMatchesStepByStepWidening)
{
    // Across the spring DST change and at the 2200 limit.
    const QDateTime far(QDate(2024, 3, 11), QTime(12, 0));
    for (qint64 days : {2, 29, 30, 31, 60, 61, 400, 3000}) {
        const QDateTime first = far.addDays(days).addSecs(-30);
        QDateTime stepped = far;
        while (stepped < first)
            stepped = stepped.addDays(30);
        EXPECT_EQ(UpcomingEvents::widenedFarEnd(far, first), stepped) << days;
    }
    const QDateTime beyond(QDate(2200, 1, 1), QTime(0, 0, 1));
    EXPECT_FALSE(UpcomingEvents::widenedFarEnd(far, beyond).has_value());
}

TEST(UpcomingEventsTest, NullTextsReadAsEmpty)
{
    TestFolder folder;
    const QString path = folder.filePath("Organaizer.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    const QByteArray schema = EventStore::schemaSql().toUtf8();
    ASSERT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO Events (Start, Finish, Caption, Message) VALUES "
                           "('2024-03-10 13:00:00', '2024-03-10 14:00:00', NULL, NULL)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    EventStore store = EventStore::openFile(path);
    const auto labels = UpcomingEvents::refresh(kNow, QStringLiteral("PDay"), store);
    ASSERT_TRUE(labels.has_value());
    EXPECT_EQ(labels->texts[0], kDeg + QStringLiteral(".\r\n"));
}

} // namespace
