#pragma once

#include <QString>

namespace pugi {
class xml_document;
}

// The advert document: the root's first child is the first advert, its next
// sibling (optional) the second; later ones are not read. Each advert has the
// children "TITLE", "LINK" and "CONTENT".
namespace AdvertDocument {

struct Advert
{
    QString Title;
    QString Link;
    QString Body;
};

struct Adverts
{
    Advert first;
    Advert second; // all empty when the document holds one advert
};

// Throws FeedError for a root without children or an advert lacking a part.
Adverts read(const pugi::xml_document& document);

} // namespace AdvertDocument
