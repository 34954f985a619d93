#include "feeds/AdvertDocument.h"

#include "feeds/FeedError.h"
#include "feeds/UseXML.h"

#include <gtest/gtest.h>

namespace {

AdvertDocument::Adverts read(const char* text)
{
    UseXML xml;
    if (!xml.XMLLoadBytes(text))
        throw FeedError(xml.lastError());
    return AdvertDocument::read(xml.document());
}

TEST(AdvertDocumentTest, FirstTwoChildrenAreTheAdverts)
{
    const auto three =
        read("<ads>\n <!-- today -->\n"
             " <a><TITLE>One</TITLE><LINK>http://x/1</LINK><CONTENT>Body 1</CONTENT></a>"
             " <b><CONTENT>Body 2</CONTENT><LINK>http://x/2</LINK><TITLE>Two</TITLE></b>"
             " <c><TITLE>Three</TITLE><LINK>l</LINK><CONTENT>c</CONTENT></c></ads>");
    EXPECT_EQ(three.first.Title, "One");
    EXPECT_EQ(three.first.Link, "http://x/1");
    EXPECT_EQ(three.first.Body, "Body 1");
    EXPECT_EQ(three.second.Title, "Two");
    EXPECT_EQ(three.second.Link, "http://x/2");

    const auto one = read("<ads><a><TITLE>One</TITLE><LINK>l</LINK><CONTENT>c</CONTENT></a></ads>");
    EXPECT_EQ(one.first.Title, "One");
    EXPECT_TRUE(one.second.Title.isEmpty());
    EXPECT_TRUE(one.second.Link.isEmpty());
}

TEST(AdvertDocumentTest, IncompleteDocumentsFail)
{
    for (const char* text : {
             "<ads/>",
             "<ads>just text</ads>",
             "<ads><a><TITLE>One</TITLE><LINK>l</LINK></a></ads>",
             "<ads><a><title>One</title><link>l</link><content>c</content></a></ads>",
             "<ads><a><TITLE>1</TITLE><LINK>l</LINK><CONTENT>c</CONTENT></a><b><TITLE>2</TITLE></"
             "b></ads>",
         })
        EXPECT_THROW(read(text), FeedError) << text;
}

} // namespace
