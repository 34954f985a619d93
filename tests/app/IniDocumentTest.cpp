#include "app/IniDocument.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

struct ReadCase
{
    const char* file;
    int integer;      // readInteger(.., 77)
    bool boolean;     // readBool(.., true)
    const char* text; // readString(.., "def")
};

// Each file holds [S] K=... (or not); the reading rules applied to it.
const ReadCase kReadCases[] = {
    {"", 77, true, "def"},       // no section
    {"[S]\n", 77, true, "def"},  // no key
    {"[S]\nK=\n", 77, true, ""}, // empty value is a value
    {"[S]\nK=42\n", 42, true, "42"},
    {"[S]\nK = -7 \n", -7, true, "-7"}, // blanks around key and value
    {"[S]\nK=0\n", 0, false, "0"},
    {"[S]\nK=0x4B0\n", 1200, true, "0x4B0"},
    {"[S]\nK=0X1f\n", 31, true, "0X1f"},
    {"[S]\nK=0x\n", 77, true, "0x"}, // 0x with no digits
    {"[S]\nK=0xZZ\n", 77, true, "0xZZ"},
    {"[S]\nK=0xFFFFFFFF\n", -1, true, "0xFFFFFFFF"}, // hex spans 32 bits
    {"[S]\nK=0x100000000\n", 77, true, "0x100000000"},
    {"[S]\nK=99999999999\n", 77, true, "99999999999"}, // out of range
    {"[S]\nK=12abc\n", 77, true, "12abc"},
    {"[S]\nK=abc\n", 77, true, "abc"},
    {"[S]\nK=\"15\"\n", 15, true, "15"}, // quotes stripped before the number
    {"[S]\nK='x y'\n", 77, true, "x y"},
    {"[S]\nK=\"x'\n", 77, true, "\"x'"},             // unmatched pair kept
    {"[S]\nK=\"\n", 77, true, "\""},                 // a lone quote is no pair
    {"[s]\nk=5\n", 5, true, "5"},                    // names without regard to case
    {"[S]\r\nK=6\r\n", 6, true, "6"},                // CRLF
    {"\xEF\xBB\xBF[S]\nK=8\n", 8, true, "8"},        // BOM
    {"[S]\nK=1\n[S]\nK=2\n", 1, true, "1"},          // first of duplicate sections
    {"[S]\nK=1\nK=2\n", 1, true, "1"},               // first of duplicate keys
    {"[T]\nK=3\n[S]\n;K=4\nK=5\n", 5, true, "5"},    // comments and other sections
    {"[S]\nK=a=b\n", 77, true, "a=b"},               // only the first '=' splits
    {"[S]\nK=3", 3, true, "3"},                      // no final line break
    {"\x01\xFF\xFE[S]\nK\xFF=3\n", 77, true, "def"}, // binary junk
    {"[S\nK=3\n", 77, true, "def"},                  // broken header
};

TEST(IniDocumentTest, ReadingRules)
{
    for (const ReadCase& c : kReadCases) {
        const IniDocument document = IniDocument::parse(QByteArray(c.file));
        SCOPED_TRACE(c.file);
        EXPECT_EQ(document.readInteger("S", "K", 77), c.integer);
        EXPECT_EQ(document.readBool("S", "K", true), c.boolean);
        EXPECT_EQ(document.readString("S", "K", "def").toStdString(), c.text);
    }
}

TEST(IniDocumentTest, BooleanFallsBackOnlyForNonNumbers)
{
    const IniDocument document = IniDocument::parse("[S]\nA=abc\nB=0x0\nC=-3\n");
    EXPECT_FALSE(document.readBool("S", "A", false));
    EXPECT_TRUE(document.readBool("S", "A", true));
    EXPECT_FALSE(document.readBool("S", "B", true));
    EXPECT_TRUE(document.readBool("S", "C", false));
}

TEST(IniDocumentTest, StringsAreCutAt2047CharactersNotBytes)
{
    // Three-byte and four-byte UTF-8 characters: a cut must not split them.
    const QString letter = QString::fromUtf8("\xE2\x82\xAC");     // euro sign
    const QString astral = QString::fromUtf8("\xF0\x9F\x98\x80"); // outside the BMP
    const QString longValue = letter.repeated(2000) + astral.repeated(100);
    const IniDocument document = IniDocument::parse(("[S]\nK=" + longValue + "\n").toUtf8());
    const QString read = document.readString("S", "K", QString());
    EXPECT_EQ(read, letter.repeated(2000) + astral.repeated(47));
    EXPECT_EQ(read.toUcs4().size(), 2047);
}

TEST(IniDocumentTest, UpdateKeepsOrderAndForeignLines)
{
    IniDocument document = IniDocument::parse("; my notes\n[b]\nx=1\n\n[A]\nY=old\nz=2\n\n"
                                              "[Services]\nWeatherHost=127.0.0.1:9\n");
    document.setValue("a", "y", "new"); // in place, the file's spelling kept
    document.setValue("A", "w", "3");   // appended to its section, before the blank line
    document.setValue("C", "k", "");    // new section at the end; empty as "k="
    EXPECT_EQ(document.serialize().toStdString(),
              "; my notes\n[b]\nx=1\n\n[A]\nY=new\nz=2\nw=3\n\n"
              "[Services]\nWeatherHost=127.0.0.1:9\n\n[C]\nk=\n");
}

TEST(IniDocumentTest, ValuesCannotBreakIntoNewLines)
{
    IniDocument document;
    document.setValue("S", "K", "one\r\ntwo\nthree\r[X]");
    EXPECT_EQ(document.serialize().toStdString(), "[S]\nK=one two three [X]\n");
    EXPECT_EQ(IniDocument::parse(document.serialize()).readString("S", "K", {}),
              "one two three [X]");
}

} // namespace
