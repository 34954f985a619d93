#include "feeds/WeatherDocument.h"

#include "feeds/FeedError.h"
#include "feeds/UseXML.h"
#include "tests/feeds/FeedsTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString kFolder = "/opt/lf/";

TEST(WeatherDocumentTest, RequestCarriesCityUnitAndServiceKeysAsGiven)
{
    EXPECT_EQ(WeatherDocument::requestUrl("xml.example:8080", "ABCD0001", "C"),
              "http://xml.example:8080/weather/local/ABCD0001?cc=*&dayf=1&prod=xoap&link=xoap"
              "&par=4718203956&key=a3d9e1b07c52f84e&unit=m");
    EXPECT_EQ(WeatherDocument::unitLetter("F"), "s");
    EXPECT_EQ(WeatherDocument::unitLetter("f"), "m");
    EXPECT_EQ(WeatherDocument::unitLetter(""), "m");
    // No city yet: the query follows the path directly; an id is inserted unescaped.
    EXPECT_TRUE(
        WeatherDocument::requestUrl("h", "", "F").startsWith("http://h/weather/local/?cc=*"));
    EXPECT_TRUE(WeatherDocument::requestUrl("h", "%1 x", "F")
                    .startsWith("http://h/weather/local/%1 x?cc="));
    EXPECT_EQ(WeatherDocument::pageUrl("site.example", "ABCD0001"),
              "http://site.example/outlook/travel/businesstraveler/local/ABCD0001");
}

TEST(WeatherDocumentTest, ReadsCurrentConditionsAheadOfTheForecast)
{
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes(fixture("weather.xml")));
    ASSERT_TRUE(WeatherDocument::isWeatherDocument(xml));
    const auto values = WeatherDocument::read(xml, "C", kFolder);
    EXPECT_EQ(values.Temp, QString::fromUtf8("21°C"));
    EXPECT_EQ(values.Humidity, "64 %");
    EXPECT_EQ(values.Icon, "30");
    EXPECT_EQ(values.IconFile, "/opt/lf/Images/Weather/30.png");
    EXPECT_EQ(WeatherDocument::read(xml, "F", kFolder).Temp, QString::fromUtf8("21°F"));
}

TEST(WeatherDocumentTest, MissingValuesAndMissingElements)
{
    UseXML xml;
    ASSERT_TRUE(xml.XMLLoadBytes("<weather><cc><icon>-</icon></cc></weather>"));
    const auto values = WeatherDocument::read(xml, "C", kFolder);
    EXPECT_EQ(values.Temp, QString::fromUtf8("°C"));
    EXPECT_EQ(values.Humidity, " %");
    EXPECT_EQ(values.IconFile, "/opt/lf/Images/Weather/na.png");

    ASSERT_TRUE(xml.XMLLoadBytes("<error><err type=\"1\">Invalid key</err></error>"));
    EXPECT_FALSE(WeatherDocument::isWeatherDocument(xml));
    EXPECT_THROW(WeatherDocument::read(xml, "C", kFolder), FeedError);
}

TEST(WeatherDocumentTest, IconCodeChoosesThePicture)
{
    const struct
    {
        const char* icon;
        const char* file; // nullptr: not a number, throws
    } cases[] = {
        {"0", "0.png"},   {"47", "47.png"},  {"48", "na.png"},         {"-1", "na.png"},
        {"-", "na.png"},  {"05", "05.png"},  {"abc", nullptr},         {"", nullptr},
        {"3.5", nullptr}, {"../x", nullptr}, {"99999999999", nullptr},
    };
    for (const auto& c : cases) {
        if (c.file)
            EXPECT_EQ(WeatherDocument::iconFile(c.icon, kFolder),
                      QString("/opt/lf/Images/Weather/") + c.file)
                << c.icon;
        else
            EXPECT_THROW(WeatherDocument::iconFile(c.icon, kFolder), FeedError) << c.icon;
    }
}

} // namespace
