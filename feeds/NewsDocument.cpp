#include "feeds/NewsDocument.h"

#include "app/DateTimeValue.h"
#include "app/TextUtils.h"
#include "feeds/UseXML.h"

#include <pugixml.hpp>

namespace NewsDocument {

namespace {

class ItemError
{
public:
    explicit ItemError(QString message) : m_message(std::move(message)) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Characters first..last, counted from 1, as far as the text reaches.
QString positions(const QString& text, int first, int last)
{
    return text.mid(first - 1, last - first + 1);
}

// Cut to width characters, never inside a surrogate pair.
QString cut(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    qsizetype end = width;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

QString oneLine(const QString& text, int width)
{
    QString result;
    ReplaceLineBreaks(text, QString(), result);
    return cut(result, width);
}

pugi::xml_node firstElement(const pugi::xml_node& parent)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            return child;
    }
    return {};
}

// The n-th child node (from 0), counting elements only: whitespace between
// elements is not kept, so this is what a feed author sees as the n-th child.
pugi::xml_node elementAt(const pugi::xml_node& parent, int n)
{
    for (pugi::xml_node child = firstElement(parent); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        if (n-- == 0)
            return child;
    }
    return {};
}

QString childText(const pugi::xml_node& item, const char* name)
{
    const pugi::xml_node child = item.child(name);
    if (!child)
        throw ItemError(QStringLiteral("An item has no \"%1\"").arg(QString::fromLatin1(name)));
    return UseXML::textOf(child);
}

Item readItem(const pugi::xml_node& node, Shape shape)
{
    Item item;
    item.Title = oneLine(childText(node, "title"), kTitleWidth);
    item.Link = oneLine(childText(node, "link"), kLinkWidth);
    item.Desc = oneLine(childText(node, "description"), kDescWidth);
    QString dateText;
    std::optional<double> date;
    if (shape == Shape::Rdf) {
        const pugi::xml_node fourth = elementAt(node, 3);
        if (!fourth)
            throw ItemError(QStringLiteral("An item has fewer than four children"));
        dateText = UseXML::textOf(fourth);
        date = rdfDate(dateText);
    } else {
        dateText = childText(node, "pubDate");
        date = rssDate(dateText);
    }
    if (!date)
        throw ItemError(QStringLiteral("\"%1\" is not a valid date and time").arg(dateText));
    item.Date = *date;
    return item;
}

} // namespace

Shape shapeOf(const pugi::xml_document& document)
{
    const pugi::xml_node root = document.document_element();
    const std::string_view name = root ? root.name() : "";
    if (name == "rdf:RDF")
        return Shape::Rdf;
    if (name == "rss")
        return Shape::Rss;
    return Shape::Unknown;
}

QString rdfConversionText(const QString& dateText)
{
    return positions(dateText, 9, 10) + QLatin1Char('.') + positions(dateText, 6, 7) +
           QLatin1Char('.') + positions(dateText, 1, 4) + QLatin1Char(' ') +
           positions(dateText, 12, 19);
}

QString rssConversionText(const QString& pubDate)
{
    // "Www, D Mon ..." with a one-digit day is valid too; everything after the
    // day then sits one position earlier.
    const bool oneDigitDay = pubDate.size() > 6 && pubDate.at(5).isDigit() && pubDate.at(6) == ' ';
    const int shift = oneDigitDay ? 1 : 0;
    const QString day = positions(pubDate, 6, 7 - shift);
    QString month = positions(pubDate, 9 - shift, 11 - shift);
    for (size_t i = 0; i < MonthAbbr.size(); ++i) {
        if (month == QLatin1String(MonthAbbr[i])) {
            month = QString::number(i + 1);
            break;
        }
    }
    return day + QLatin1Char('.') + month + QLatin1Char('.') +
           positions(pubDate, 13 - shift, 16 - shift) + QLatin1Char(' ') +
           positions(pubDate, 18 - shift, 25 - shift);
}

std::optional<double> rdfDate(const QString& dateText)
{
    return AppFormatSettings::parseDateTime(rdfConversionText(dateText));
}

std::optional<double> rssDate(const QString& pubDate)
{
    return AppFormatSettings::parseDateTime(rssConversionText(pubDate));
}

Reading read(const pugi::xml_document& document)
{
    Reading reading;
    reading.shape = shapeOf(document);
    pugi::xml_node container;
    if (reading.shape == Shape::Rdf)
        container = document.document_element();
    else if (reading.shape == Shape::Rss)
        container = firstElement(document.document_element());
    if (!container) {
        if (reading.shape == Shape::Rss)
            reading.error = QStringLiteral("The feed has no channel");
        return reading;
    }
    try {
        for (pugi::xml_node node = container.child("item"); node; node = node.next_sibling("item"))
            reading.items.push_back(readItem(node, reading.shape));
    } catch (const ItemError& error) {
        reading.error = error.message();
    }
    return reading;
}

} // namespace NewsDocument
