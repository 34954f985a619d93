#include "feeds/AdvertDocument.h"

#include "feeds/FeedError.h"
#include "feeds/UseXML.h"

#include <pugixml.hpp>

namespace AdvertDocument {

namespace {

pugi::xml_node nextElement(pugi::xml_node node)
{
    while (node && node.type() != pugi::node_element)
        node = node.next_sibling();
    return node;
}

QString partOf(const pugi::xml_node& advert, const char* name)
{
    const pugi::xml_node part = advert.child(name);
    if (!part)
        throw FeedError(QStringLiteral("An advert has no \"%1\"").arg(QString::fromLatin1(name)));
    return UseXML::textOf(part);
}

Advert readAdvert(const pugi::xml_node& node)
{
    return {partOf(node, "TITLE"), partOf(node, "LINK"), partOf(node, "CONTENT")};
}

} // namespace

Adverts read(const pugi::xml_document& document)
{
    const pugi::xml_node root = document.document_element();
    if (!root)
        throw FeedError(QStringLiteral("The advert document is empty"));
    const pugi::xml_node first = nextElement(root.first_child());
    if (!first)
        throw FeedError(QStringLiteral("The advert document holds no advert"));
    Adverts adverts;
    adverts.first = readAdvert(first);
    if (const pugi::xml_node second = nextElement(first.next_sibling()))
        adverts.second = readAdvert(second);
    return adverts;
}

} // namespace AdvertDocument
