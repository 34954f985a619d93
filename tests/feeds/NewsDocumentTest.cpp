#include "feeds/NewsDocument.h"

#include "app/DateTimeValue.h"
#include "feeds/NewsTable.h"
#include "feeds/UseXML.h"
#include "tests/feeds/FeedsTestSupport.h"

#include <gtest/gtest.h>

namespace {

QString formatted(std::optional<double> date)
{
    return date ? AppFormatSettings::formatDateTime(*date) : QStringLiteral("(none)");
}

TEST(NewsDocumentTest, DateTextsByPosition)
{
    const struct
    {
        bool rss;
        const char* text;
        const char* expected;
    } cases[] = {
        {false, "2007-05-14T08:30:00+00:00", "14.05.2007 08:30:00"},
        {false, "2007-05-14T08:30:00Z", "14.05.2007 08:30:00"},
        {false, "2007-05-14", "14.05.2007 00:00:00"}, // a date alone is midnight
        {false, "14 May 2007", "(none)"},
        {true, "Mon, 14 May 2007 08:30:00 GMT", "14.05.2007 08:30:00"},
        {true, "Fri, 14 Dec 2007 08:30:00 +0100", "14.12.2007 08:30:00"},
        {true, "Fri, 4 May 2007 08:30:00 GMT", "04.05.2007 08:30:00"}, // one-digit day
        {true, "Fri, 04 May 2007 08:30:00 GMT", "04.05.2007 08:30:00"},
        {true, "Mon, 14 Mai 2007 08:30:00 GMT", "(none)"}, // unknown month stays a name
        {true, "Mon, 14 may 2007 08:30:00 GMT", "(none)"}, // names compare exactly
        {true, "2007-05-14T08:30:00Z", "(none)"},
        {true, "Mon, 30 Feb 2007 08:30:00 GMT", "(none)"},
        {true, "", "(none)"},
    };
    for (const auto& c : cases) {
        const auto date = c.rss ? NewsDocument::rssDate(c.text) : NewsDocument::rdfDate(c.text);
        EXPECT_EQ(formatted(date), c.expected) << c.text;
    }
    EXPECT_EQ(NewsDocument::rssConversionText("Mon, 14 Mai 2007 08:30:00 GMT"),
              "14.Mai.2007 08:30:00");
}

TEST(NewsDocumentTest, ShownTimeMovesByTheZoneAndShowsOnlyTheClock)
{
    const double date = *NewsDocument::rdfDate("2007-05-14T08:30:00+00:00");
    EXPECT_EQ(NewsTable::shownTime(date, 0), "08:30");
    EXPECT_EQ(NewsTable::shownTime(date, 3), "11:30");
    EXPECT_EQ(NewsTable::shownTime(date, -5), "03:30");
    EXPECT_EQ(NewsTable::shownTime(*NewsDocument::rdfDate("2007-05-14T23:30:00"), 2), "01:30");
    EXPECT_EQ(NewsTable::shownTime(*NewsDocument::rdfDate("2007-05-14T01:00:00"), -12), "13:00");
}

TEST(NewsDocumentTest, RealWorldRssChannel)
{
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes(fixture("rss-real-world.xml")));
    const auto reading = NewsDocument::read(xml.document());
    EXPECT_EQ(reading.shape, NewsDocument::Shape::Rss);
    EXPECT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
    ASSERT_EQ(reading.items.size(), 3u);
    EXPECT_EQ(reading.items[0].Title, "Rivers riseacross the valley");
    EXPECT_EQ(reading.items[0].Desc, "<p>Heavy rain &amp; wind</p> for a <b>third</b> day.");
    EXPECT_EQ(reading.items[0].Link, "http://news.example.org/world/1");
    EXPECT_EQ(reading.items[1].Title, QString::fromUtf8("Größte Brücke der Stadt eröffnet — 橋"));
    EXPECT_EQ(formatted(reading.items[2].Date), "06.05.2007 23:05:00");
}

TEST(NewsDocumentTest, RealWorldRdfInLatin1)
{
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes(fixture("rdf-real-world.xml")));
    const auto reading = NewsDocument::read(xml.document());
    EXPECT_EQ(reading.shape, NewsDocument::Shape::Rdf);
    ASSERT_EQ(reading.items.size(), 2u);
    EXPECT_EQ(reading.items[0].Title, QString::fromUtf8("Grüße aus München"));
    EXPECT_EQ(formatted(reading.items[1].Date), "14.05.2007 11:45:10");
}

TEST(NewsDocumentTest, ReadingStopsAtTheFirstBadItem)
{
    const struct
    {
        const char* document;
        size_t items;
        bool error;
    } cases[] = {
        {"<rss><channel><item><title>a</title><link>l</link><description>d</description>"
         "<pubDate>Mon, 14 May 2007 08:30:00 GMT</pubDate></item>"
         "<item><title>b</title><link>l</link><pubDate>Mon, 14 May 2007 08:30:00 GMT</pubDate>"
         "</item><item><title>c</title><link>l</link><description>d</description>"
         "<pubDate>Mon, 14 May 2007 08:30:00 GMT</pubDate></item></channel></rss>",
         1, true},
        {"<rss><channel><item><title>a</title><link>l</link><description>d</description>"
         "<pubDate>yesterday</pubDate></item></channel></rss>",
         0, true},
        {"<rss/>", 0, true}, // no channel
        {"<rss><channel><title>empty</title></channel></rss>", 0, false},
        {"<rdf:RDF><item><title>a</title><link>l</link><description>d</description></item>"
         "</rdf:RDF>",
         0, true}, // fewer than four children
        {"<feed><entry><title>a</title></entry></feed>", 0, false},
        {"<RSS><channel/></RSS>", 0, false},
    };
    for (const auto& c : cases) {
        UseXML xml;
        ASSERT_TRUE(xml.XMLLoadBytes(c.document)) << c.document;
        const auto reading = NewsDocument::read(xml.document());
        EXPECT_EQ(reading.items.size(), c.items) << c.document;
        EXPECT_EQ(!reading.error.isEmpty(), c.error) << c.document;
    }
}

TEST(NewsDocumentTest, LongTextsAreCutToTheColumnWidths)
{
    const QString longTitle(300, QChar(0x00E9));
    const QByteArray document =
        "<rss><channel><item><title>" + longTitle.toUtf8() + "</title><link>" +
        QByteArray(600, 'l') +
        "</link><description>d</description>"
        "<pubDate>Mon, 14 May 2007 08:30:00 GMT</pubDate></item></channel></rss>";
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes(document));
    const auto reading = NewsDocument::read(xml.document());
    ASSERT_EQ(reading.items.size(), 1u);
    EXPECT_EQ(reading.items[0].Title.size(), NewsDocument::kTitleWidth);
    EXPECT_EQ(reading.items[0].Link.size(), NewsDocument::kLinkWidth);
}

TEST(NewsDocumentTest, TableKeepsNewestFirstAndFillsBothSlots)
{
    NewsTable table;
    EXPECT_EQ(table.slotRow(0), nullptr);
    const auto item = [](const char* title, const char* time) {
        return NewsDocument::Item{title, "", "",
                                  *NewsDocument::rdfDate(QString("2007-05-14T") + time)};
    };
    table.add(item("ten", "10:00:00"));
    EXPECT_EQ(table.slotRow(0)->Title, "ten");
    EXPECT_EQ(table.slotRow(1)->Title, "ten"); // one item serves both slots
    table.add(item("twelve", "12:00:00"));
    table.add(item("eleven", "11:00:00"));
    table.add(item("eleven again", "11:00:00"));
    EXPECT_EQ(table.slotRow(0)->Title, "twelve");
    EXPECT_EQ(table.slotRow(1)->Title, "eleven");
    EXPECT_EQ(table.rows()[2].Title, "eleven again");
}

} // namespace
