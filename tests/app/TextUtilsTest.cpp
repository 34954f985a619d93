#include "app/TextUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(TextUtilsTest, ReplaceLineBreaksOneForOne)
{
    const struct
    {
        const char* source;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"a\r\nb", " ", "a  b"}, // CR and LF each become one blank
        {"a\nb\rc", " ", "a b c"},
        {"\r\n\r\n", "", ""},
        {"no breaks", "-", "no breaks"},
        {"x\ny", "<br>", "x<br>y"},
    };
    for (const auto& c : cases) {
        QString destination = "kept:";
        ReplaceLineBreaks(c.source, c.replacement, destination);
        EXPECT_EQ(destination, QString("kept:") + c.expected) << c.source;
    }
}

} // namespace
