#include "feeds/UseXML.h"

#include "feeds/FeedError.h"
#include "tests/feeds/FeedsTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

UseXML loaded(const char* text)
{
    UseXML xml;
    xml.XMLInit();
    xml.XMLLoadBytes(QByteArray(text));
    return xml;
}

const QStringList kTmp = {"//weather", "//cc", "//tmp"};

TEST(UseXMLTest, XMLValueSelectsFirstMatchAnywhereAndFailsOnMissingEarlierSteps)
{
    const struct
    {
        const char* document;
        const char* expected; // nullptr: throws
    } cases[] = {
        {"<weather><cc><tmp>21</tmp></cc></weather>", "21"},
        // "//" searches the whole document, whatever node it starts from.
        {"<root><cc/><x><weather/></x><y><tmp>7</tmp></y></root>", "7"},
        // The first tmp in document order wins, ahead of a forecast's.
        {"<weather><dayf><tmp>9</tmp></dayf><cc><tmp>3</tmp></cc></weather>", "9"},
        {"<weather><cc><hmid>5</hmid></cc></weather>", ""}, // missing last node
        {"<weather><tmp>1</tmp></weather>", nullptr},       // no cc
        {"<cc><tmp>1</tmp></cc>", nullptr},                 // no weather
        {"", nullptr},                                      // no document element
        {"<weather><cc><tmp> 2<b>3</b> </tmp></cc></weather>", "23"},
    };
    for (const auto& c : cases) {
        const UseXML xml = loaded(c.document);
        if (c.expected)
            EXPECT_EQ(xml.XMLValue(kTmp), QString::fromUtf8(c.expected)) << c.document;
        else
            EXPECT_THROW(xml.XMLValue(kTmp), FeedError) << c.document;
    }
}

TEST(UseXMLTest, RelativeStepsAndMalformedStepsFromTheReachedNode)
{
    const UseXML xml = loaded("<a><b><c>x</c></b><c>y</c></a>");
    EXPECT_EQ(xml.XMLValue({"b", "c"}), "x");
    EXPECT_EQ(xml.XMLValue({"c"}), "y");
    EXPECT_THROW(xml.XMLValue({"b", "nothing", "c"}), FeedError);
    EXPECT_THROW(xml.XMLValue({"//["}), FeedError);
}

TEST(UseXMLTest, BrokenInputLeavesTheDocumentEmpty)
{
    const QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                            "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                            "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
                            "<weather><cc><tmp>&lol3;</tmp></cc></weather>";
    const struct
    {
        QByteArray bytes;
        bool loads;
    } cases[] = {
        {"", false},
        {"<html><body><p>Service unavailable<br></body></html>", false},
        {"<weather><cc><tmp>21</tmp></cc>", false},     // truncated
        {QByteArray("\xff\xfe<\0w\0/\0>\0", 10), true}, // UTF-16 with a BOM
        {bomb, true},                                   // declared entities are not expanded
    };
    for (const auto& c : cases) {
        UseXML xml;
        xml.XMLInit();
        EXPECT_EQ(xml.XMLLoadBytes(c.bytes), c.loads) << c.bytes.toStdString();
        EXPECT_EQ(xml.isEmpty(), !c.loads);
        if (!c.loads) {
            EXPECT_FALSE(xml.lastError().isEmpty());
        }
    }
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes(bomb));
    EXPECT_LT(xml.XMLValue(kTmp).size(), 100);
}

TEST(UseXMLTest, LoadFromAddressOrFileAndSaveAsUtf8)
{
    TestFolder folder;
    FakeFetcher fetcher;
    fetcher.answers["http://host/doc"] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                                         "<weather><cc><tmp>M\xfcnchen</tmp></cc></weather>";
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoad("http://host/doc", fetcher));
    EXPECT_EQ(xml.XMLValue(kTmp), QString::fromUtf8("München"));
    xml.XMLSave(folder.filePath("saved.xml"));

    UseXML reread;
    ASSERT_TRUE(reread.XMLLoad(folder.filePath("saved.xml"), fetcher));
    EXPECT_EQ(reread.XMLValue(kTmp), QString::fromUtf8("München"));

    EXPECT_FALSE(reread.XMLLoad("http://host/missing", fetcher));
    EXPECT_TRUE(reread.isEmpty());
    EXPECT_FALSE(reread.XMLLoad(folder.filePath("absent.xml"), fetcher));
    EXPECT_THROW(reread.XMLValue(kTmp), FeedError);
}

} // namespace
