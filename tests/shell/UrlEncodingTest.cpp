#include "shell/UrlEncoding.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlEncodingTest, AddressesAsTheDesktopGetsThem)
{
    const struct
    {
        const char* address;
        const char* opened;
    } cases[] = {
        // The results server's own pages go out unchanged, blanks included.
        {"http://127.0.0.1:4775/?s=relevancy&p=0&q=two words",
         "http://127.0.0.1:4775/?s=relevancy&p=0&q=two words"},
        // Query: UTF-8 bytes in upper-case hex; + & = ? stay; blanks encoded.
        {"http://search.example/search.php?q=\xC3\xA9t\xC3\xA9 a+b&c=1",
         "http://search.example/search.php?q=%C3%A9t%C3%A9%20a+b&c=1"},
        // Path and document: + and blanks encoded, the fragment dropped.
        {"https://h.example:8080/a b/c+d[1].html?x=<y>#frag?z",
         "https://h.example:8080/a%20b/c%2Bd%5B1%5D.html?x=%3Cy%3E"},
        {"http://h.example/x#", "http://h.example/x"},
        {"http://h.example\\dir\\file.txt", "http://h.example/dir/file.txt"},
        {"http://h.example/%41*", "http://h.example/%2541%2A"},
        {"http://h.example", "http://h.example"},
        {"http://h.example?q=\xD0\x80", "http://h.example?q=%D0%80"}, // 0x80 is encoded too
        // Files are opened as they are.
        {"/home/u/My Files/\xC3\xBC ber.txt", "/home/u/My Files/\xC3\xBC ber.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlEncoding::addressToOpen(QString::fromUtf8(c.address)),
                  QString::fromUtf8(c.opened))
            << c.address;
}

} // namespace
