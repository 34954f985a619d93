#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace pugi {
class xml_document;
}

// Reading the two feed shapes the news panel accepts: RDF ("rdf:RDF" root,
// "item" children) and RSS 2.0 ("rss" root, the channel's "item" children).
namespace NewsDocument {

inline constexpr std::array<const char*, 12> MonthAbbr = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

enum class Shape
{
    Rdf,
    Rss,
    Unknown
};
Shape shapeOf(const pugi::xml_document& document);

// Conversion texts "day.month.year time" from the date texts, by fixed
// positions; the zone is ignored. An RSS month name becomes its number, an
// unknown name stays as it is (and then does not convert).
QString rdfConversionText(const QString& dateText);
QString rssConversionText(const QString& pubDate);
// The dates as day counts; nothing when the text does not convert.
std::optional<double> rdfDate(const QString& dateText);
std::optional<double> rssDate(const QString& pubDate);

struct Item
{
    QString Title;
    QString Link;
    QString Desc;
    double Date = 0;
};

struct Reading
{
    Shape shape = Shape::Unknown;
    // The items read, in document order, up to the first bad one.
    std::vector<Item> items;
    // Why reading stopped early; empty when every item was read.
    QString error;
};

// Texts are taken as their whole text content with line breaks removed and
// cut to the table's widths.
Reading read(const pugi::xml_document& document);

constexpr int kTitleWidth = 255;
constexpr int kDescWidth = 255;
constexpr int kLinkWidth = 500;

} // namespace NewsDocument
