#include "indexer/StatementParser.h"

#include "indexer/StatementProvider.h"

#include <gtest/gtest.h>

namespace {

struct Accepted
{
    const char* statement;
    const char* phrase;
    const char* folder; // "" = whole catalogue
    bool deep;
    const char* columns;
};

TEST(StatementParserTest, AcceptsTheSearchStatementAndItsVariants)
{
    const Accepted cases[] = {
        // The desktop search's own three lines, CRLF after each.
        {" SELECT Filename, Size, Write, Path \r\n FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') \r\n"
         " WHERE CONTAINS('\"annual report\"') \r\n",
         "annual report", "", true, "Filename,Size,Write,Path"},
        {"select path from scope('deep traversal of \"/\"') where contains('\"x\"')", "x", "", true,
         "path"},
        {"SELECT Path,Size FROM SCOPE('SHALLOW TRAVERSAL OF \"/home/ann/Docs/\"') WHERE "
         "CONTAINS('\"x\"')",
         "x", "/home/ann/Docs", false, "Path,Size"},
        // A doubled single quote inside the argument, a doubled double quote inside the phrase.
        {"SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') WHERE CONTAINS('\"don''t say "
         "\"\"hi\"\"\"')",
         "don't say \"hi\"", "", true, "Path"},
        // A colon and a backslash reach the phrase unchanged.
        {"SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') WHERE CONTAINS('\"C:\\Docs\"')",
         "C:\\Docs", "", true, "Path"},
        {"SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') WHERE CONTAINS('\"\"')", "", "", true,
         "Path"},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.statement);
        const ParsedStatement parsed = StatementParser::parse(QString::fromUtf8(c.statement));
        EXPECT_EQ(parsed.phrase, QString::fromUtf8(c.phrase));
        EXPECT_EQ(parsed.folder, QString::fromUtf8(c.folder));
        EXPECT_EQ(parsed.deep, c.deep);
        EXPECT_EQ(parsed.columnNames.join(u','), QString::fromUtf8(c.columns));
    }
}

struct Rejected
{
    const char* statement;
    const char* messagePart;
};

TEST(StatementParserTest, RejectsOtherStatementsNamingTheFault)
{
    const char* scope = " FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') ";
    const std::string base = std::string("SELECT Path") + scope;
    const std::string cases[][2] = {
        {"", "expected SELECT"},
        {"DELETE FROM files", "expected SELECT"},
        {"SELECTPath" + std::string(scope) + "WHERE CONTAINS('\"x\"')", "expected SELECT"},
        {"SELECT Title" + std::string(scope) + "WHERE CONTAINS('\"x\"')",
         "unknown column \"Title\""},
        {"SELECT Path," + std::string(scope) + "WHERE CONTAINS('\"x\"')",
         "unknown column \"FROM\""},
        {"SELECT Path FROM files WHERE CONTAINS('\"x\"')", "expected SCOPE"},
        {"SELECT Path FROM SCOPE('WIDE TRAVERSAL OF \"/\"') WHERE CONTAINS('\"x\"')",
         "expected DEEP or SHALLOW"},
        {"SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"docs\"') WHERE CONTAINS('\"x\"')",
         "not an absolute path"},
        {"SELECT Path FROM SCOPE('DEEP TRAVERSAL OF \"\"') WHERE CONTAINS('\"x\"')",
         "folder is empty"},
        {base, "expected WHERE"},
        {base + "WHERE FREETEXT('\"x\"')", "expected CONTAINS"},
        {base + "WHERE CONTAINS('x')", "expected a double-quoted string"},
        // A single quote in the search text ends the argument early.
        {base + "WHERE CONTAINS('\"don't\"')", "expected ')'"},
        // A double quote in the search text ends the phrase early.
        {base + "WHERE CONTAINS('\"say \"hi\"\"')", "unexpected text after the CONTAINS phrase"},
        {base + "WHERE CONTAINS('\"x\"", "CONTAINS argument is not closed"},
        {base + "WHERE CONTAINS('\"x')", "CONTAINS phrase is not closed"},
        {base + "WHERE CONTAINS('\"x\"') ORDER BY Path", "unexpected text after CONTAINS(...)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        try {
            StatementParser::parse(QString::fromStdString(c[0]));
            ADD_FAILURE() << "accepted";
        } catch (const StatementError& error) {
            EXPECT_NE(std::string(error.what()).find(c[1]), std::string::npos) << error.what();
        }
    }
}

} // namespace
