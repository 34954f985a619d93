#include "search/IndexQuery.h"

#include "search/ResultsTable.h"
#include "tests/search/SearchTestSupport.h"

#include <gtest/gtest.h>

namespace {

QStringList names(const ResultsTable& table)
{
    QStringList out;
    for (const ResultRow& row : table.rows())
        out << row.FILENAME;
    return out;
}

struct FakeIndex
{
    StatementResult answer;
    QStringList statements;
    StatementRunner runner()
    {
        return [this](const QString& statement) {
            statements << statement;
            return answer;
        };
    }
};

TEST(IndexQueryTest, StatementQuotesTheTextAsOnePhrase)
{
    const QString head = QStringLiteral(" SELECT Filename, Size, Write, Path \r\n"
                                        " FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') \r\n");
    const struct
    {
        QString text;
        QString where;
    } cases[] = {
        {QStringLiteral("two words"), QStringLiteral(" WHERE CONTAINS('\"two words\"') \r\n")},
        {QStringLiteral("C:\\temp:x"), QStringLiteral(" WHERE CONTAINS('\"C:\\temp:x\"') \r\n")},
        {QStringLiteral("don't"), QStringLiteral(" WHERE CONTAINS('\"don''t\"') \r\n")},
        {QStringLiteral("say \"hi\""),
         QStringLiteral(" WHERE CONTAINS('\"say \"\"hi\"\"\"') \r\n")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IndexQuery::statementFor(c.text), head + c.where) << c.text.toStdString();
}

TEST(IndexQueryTest, RelevancyShowsTheBestHitFirstAndKeysSortAscending)
{
    FakeIndex index;
    // Least relevant first, as the provider delivers.
    index.answer = indexResult({indexRow(QStringLiteral("b.txt"), 300, 39000.0),
                                indexRow(QStringLiteral("C.txt"), 100, 39002.0),
                                indexRow(QStringLiteral("a.txt"), 200, 39001.0)});
    const IndexQuery query(index.runner());
    ResultsTable table;

    EXPECT_TRUE(query.LoadResults(QStringLiteral("word"), QStringLiteral("relevancy"), table));
    EXPECT_EQ(names(table), QStringList({"a.txt", "C.txt", "b.txt"}));
    query.LoadResults(QStringLiteral("word"), QStringLiteral("filename"), table);
    EXPECT_EQ(names(table), QStringList({"a.txt", "b.txt", "C.txt"}));
    query.LoadResults(QStringLiteral("word"), QStringLiteral("size"), table);
    EXPECT_EQ(names(table), QStringList({"C.txt", "a.txt", "b.txt"}));
    query.LoadResults(QStringLiteral("word"), QStringLiteral("date"), table);
    EXPECT_EQ(names(table), QStringList({"b.txt", "a.txt", "C.txt"}));
    query.LoadResults(QStringLiteral("word"), QStringLiteral("PATH"), table);
    EXPECT_EQ(names(table), QStringList({"a.txt", "b.txt", "C.txt"}));
    // Every call asks the index again.
    EXPECT_EQ(index.statements.size(), 5);
}

TEST(IndexQueryTest, HugeFilesAndLongNamesAreKeptWhole)
{
    FakeIndex index;
    const QString longName = QString(2500, QLatin1Char('n'));
    index.answer =
        indexResult({indexRow(QStringLiteral("big.iso"), Q_INT64_C(5000000000), 39000.25),
                     indexRow(longName, 2147483648LL, 39000.0)});
    ResultsTable table;
    ASSERT_TRUE(IndexQuery(index.runner())
                    .LoadResults(QStringLiteral("iso"), QStringLiteral("relevancy"), table));
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.rows()[0].FILENAME, longName);
    EXPECT_EQ(table.rows()[0].PATH.size(), 2500 + 16);
    EXPECT_EQ(*table.rows()[0].SIZE, 2147483648LL);
    EXPECT_EQ(*table.rows()[1].SIZE, Q_INT64_C(5000000000));
    EXPECT_DOUBLE_EQ(*table.rows()[1].DATE, 39000.25);
}

TEST(IndexQueryTest, NoHitsEmptiesTheTableAndErrorsReachTheCaller)
{
    FakeIndex index;
    index.answer = indexResult({indexRow(QStringLiteral("a"), 1, 1.0)});
    IndexQuery query(index.runner());
    ResultsTable table;
    query.LoadResults(QStringLiteral("aa"), QStringLiteral("relevancy"), table);
    ASSERT_EQ(table.count(), 1);

    index.answer = indexResult({});
    EXPECT_FALSE(query.LoadResults(QStringLiteral("zz"), QStringLiteral("size"), table));
    EXPECT_EQ(table.count(), 0);

    index.answer = indexResult({indexRow(QStringLiteral("a"), 1, 1.0)});
    query.LoadResults(QStringLiteral("aa"), QStringLiteral("relevancy"), table);
    const IndexQuery failing(
        [](const QString&) -> StatementResult { throw StatementError("catalogue missing"); });
    EXPECT_THROW(failing.LoadResults(QStringLiteral("aa"), QStringLiteral("relevancy"), table),
                 StatementError);
    EXPECT_EQ(table.count(), 0);
}

TEST(IndexQueryTest, BrokenRowsGiveEmptyFieldsNotFailures)
{
    StatementResult result;
    // Columns in another order and case, one missing, values of the wrong type.
    result.columns = {QStringLiteral("PATH"), QStringLiteral("size"), QStringLiteral("FileName")};
    result.rows = {{QStringLiteral("/x/a"), QStringLiteral("not a number"), QStringLiteral("a")},
                   {QVariant(), QVariant()}};
    ResultsTable table;
    table.fill(result);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.rows()[0].PATH, QString());
    EXPECT_EQ(table.rows()[1].FILENAME, QStringLiteral("a"));
    EXPECT_EQ(table.rows()[1].PATH, QStringLiteral("/x/a"));
    EXPECT_FALSE(table.rows()[1].SIZE.has_value());
    EXPECT_FALSE(table.rows()[1].DATE.has_value());
}

} // namespace
