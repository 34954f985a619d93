#include "indexer/TextExtractor.h"

#include "tests/indexer/IndexerTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using IndexerTest::writeFile;
using IndexerTest::writeZip;

namespace {

std::string extractText(const QString& path, const ExtractionLimits& limits = {})
{
    const Extraction extraction =
        TextExtractor(limits).extract(QFile::encodeName(path).toStdString(), QFile(path).size());
    return extraction.text;
}

QByteArray utf16le(const QString& text)
{
    QByteArray bytes("\xff\xfe", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// Each text encoding a user's files come in, and the words that must come out.
TEST(TextExtractorTest, PlainTextInCommonEncodings)
{
    TestFolder folder;
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* expected;
    } cases[] = {
        {"utf8.txt", "na\xc3\xafve caf\xc3\xa9\n", "na\xc3\xafve caf\xc3\xa9"},
        {"bom.txt", "\xef\xbb\xbfplain words", "plain words"},
        {"utf16.txt", utf16le(QStringLiteral("wide \u00e9t\u00e9 text")),
         "wide \xc3\xa9t\xc3\xa9 text"},
        // Legacy code pages without any mark: Western, Cyrillic and KOI8-R.
        {"latin.txt", "r\xe9sum\xe9 of the d\xe9j\xe0 vu",
         "r\xc3\xa9sum\xc3\xa9 of the d\xc3\xa9j\xc3\xa0 vu"},
        {"cp1251.txt", "\xef\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0",
         "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xd0\xbc\xd0\xb8\xd1\x80"},
        {"koi8.txt", "\xd0\xd2\xc9\xd7\xc5\xd4 \xcd\xc9\xd2",
         "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xd0\xbc\xd0\xb8\xd1\x80"},
        {"main.cpp", "int main() {\n    return lanternGlow(42);\n}\n",
         "int main() { return lanternGlow(42); }"},
        {"empty.txt", "", ""},
        // Bytes the guessed code page cannot map are dropped, also at the very end.
        {"dos.h", "Header f\x81r den Compiler\x81", "Header fr den Compiler"},
        {"binary.dat",
         QByteArray("\x7f"
                    "ELF\x02\x01\x00\x00words",
                    13),
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(extractText(folder.filePath(QString::fromLatin1(c.name))), c.expected);
    }
}

TEST(TextExtractorTest, MarkupLosesTagsScriptsAndEntities)
{
    TestFolder folder;
    folder.write(QStringLiteral("page.html"),
                 "<!DOCTYPE html><html><head><meta charset=\"windows-1252\"><title>Menu</title>"
                 "<style>p{color:red}</style><script>var secret = '</p>';</script></head>"
                 "<body><p>Cr\xe8me <b>br</b>&ucirc;l&eacute;e &amp; caf&#233;</p><!-- hidden -->"
                 "<div>next&nbsp;block</div><p>a < b</p></body></html>");
    EXPECT_EQ(extractText(folder.filePath(QStringLiteral("page.html"))),
              "Menu Cr\xc3\xa8me br\xc3\xbbl\xc3\xa9"
              "e & caf\xc3\xa9 next block a < b");

    folder.write(QStringLiteral("feed.xml"),
                 "<?xml version=\"1.0\"?><feed><entry><title>First</title><summary>lantern"
                 "</summary></entry><![CDATA[raw <text>]]></feed>");
    EXPECT_EQ(extractText(folder.filePath(QStringLiteral("feed.xml"))), "First lantern raw <text>");
}

TEST(TextExtractorTest, RtfKeepsBodyTextAndDecodesCharacters)
{
    TestFolder folder;
    folder.write(
        QStringLiteral("letter.rtf"),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}}"
        "{\\colortbl;\\red0\\green0\\blue0;}{\\*\\generator Writer;}"
        "\\uc1\\pard Dear caf\\'e9 owner,\\par The {\\b bold} plan\\u8364? costs \\{5\\}.\\par}");
    EXPECT_EQ(extractText(folder.filePath(QStringLiteral("letter.rtf"))),
              "Dear caf\xc3\xa9 owner, The bold plan\xe2\x82\xac costs {5}. ");
}

TEST(TextExtractorTest, PdfTextComesThroughPoppler)
{
    TestFolder folder;
    folder.write(QStringLiteral("report.pdf"), IndexerTest::makePdf("Quarterly lantern report"));
    EXPECT_EQ(extractText(folder.filePath(QStringLiteral("report.pdf"))),
              "Quarterly lantern report");

    // Damaged: a header and garbage. Read without a crash, no text.
    folder.write(QStringLiteral("broken.pdf"), "%PDF-1.4\n1 0 obj << /Type /Cat");
    EXPECT_EQ(extractText(folder.filePath(QStringLiteral("broken.pdf"))), "");
}

TEST(TextExtractorTest, OfficeDocumentsAndEpub)
{
    TestFolder folder;
    const auto path = [&](const char* name) {
        return folder.filePath(QString::fromLatin1(name));
    };
    writeZip(path("notes.odt"),
             {{"mimetype", "application/vnd.oasis.opendocument.text"},
              {"content.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content><office:body>"
               "<office:text><text:h>Garden</text:h><text:p>Plant the <text:span>to</text:span>"
               "matoes</text:p><text:p>early</text:p></office:text></office:body>"
               "</office:document-content>"}});
    EXPECT_EQ(extractText(path("notes.odt")), "Garden Plant the tomatoes early");

    writeZip(path("memo.docx"),
             {{"word/document.xml",
               "<w:document><w:body><w:p><w:r><w:t>Budget</w:t></w:r><w:r><w:t xml:space="
               "\"preserve\"> for 20</w:t></w:r><w:r><w:t>26</w:t></w:r></w:p><w:p><w:r><w:t>"
               "approved</w:t></w:r></w:p></w:body></w:document>"}});
    EXPECT_EQ(extractText(path("memo.docx")), "Budget for 2026 approved");

    writeZip(path("sheet.xlsx"),
             {{"xl/sharedStrings.xml", "<sst><si><t>Region</t></si><si><t>North</t></si></sst>"},
              {"xl/worksheets/sheet1.xml",
               "<worksheet><sheetData><row><c t=\"s\"><v>0</v></c><c><v>1234</v></c></row>"
               "</sheetData></worksheet>"}});
    EXPECT_EQ(extractText(path("sheet.xlsx")), "Region North 0 1234");

    writeZip(path("deck.pptx"),
             {{"ppt/slides/slide2.xml", "<p:sld><a:p><a:r><a:t>Second</a:t></a:r></a:p></p:sld>"},
              {"ppt/slides/slide10.xml", "<p:sld><a:p><a:r><a:t>Tenth</a:t></a:r></a:p></p:sld>"},
              {"ppt/slides/slide1.xml", "<p:sld><a:p><a:r><a:t>First</a:t></a:r></a:p></p:sld>"}});
    EXPECT_EQ(extractText(path("deck.pptx")), "First Second Tenth");

    writeZip(path("book.epub"),
             {{"mimetype", "application/epub+zip"},
              {"OEBPS/chapter1.xhtml",
               "<?xml version=\"1.0\"?><html><body><h1>Chapter One</h1><p>It was a "
               "<em>dark</em> night.</p></body></html>"}});
    EXPECT_EQ(extractText(path("book.epub")), "Chapter One It was a dark night.");
}

TEST(TextExtractorTest, LimitsCutTextAndContainersShort)
{
    TestFolder folder;
    ExtractionLimits limits;
    limits.maxTextBytes = 64;
    limits.maxContainerBytes = 4096;

    QByteArray longText;
    for (int i = 0; i < 100; ++i)
        longText += "caf\xc3\xa9 ";
    folder.write(QStringLiteral("long.txt"), longText);
    const Extraction cut = TextExtractor(limits).extract(
        QFile::encodeName(folder.filePath(QStringLiteral("long.txt"))).toStdString(),
        longText.size());
    EXPECT_TRUE(cut.truncated);
    EXPECT_LE(cut.text.size(), 64u);
    // Never cut inside a character.
    EXPECT_TRUE(QString::fromStdString(cut.text).toUtf8() == QByteArray::fromStdString(cut.text));

    // A small zip that inflates far past the container budget.
    const QByteArray zeros(8 << 20, 'a');
    IndexerTest::writeZip(folder.filePath(QStringLiteral("bomb.docx")),
                          {{"word/document.xml", "<w:p><w:t>" + zeros + "</w:t></w:p>"}});
    const Extraction bomb = TextExtractor(limits).extract(
        QFile::encodeName(folder.filePath(QStringLiteral("bomb.docx"))).toStdString(), 0);
    EXPECT_TRUE(bomb.truncated);
    EXPECT_LE(bomb.text.size(), 64u);
}

} // namespace
