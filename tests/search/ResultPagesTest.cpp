#include "search/ResultPages.h"

#include "search/SearchState.h"
#include "shell/UrlEncoding.h"
#include "tests/search/SearchTestSupport.h"

#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString kToken = QStringLiteral("tok3n");

ResultPages pages()
{
    return ResultPages(&UrlEncoding::encodeWebAddress, kToken,
                       QLocale(QLocale::German, QLocale::Germany));
}

SearchState state(const QString& query, const QString& sort, int page, int perPage = 15)
{
    SearchState s;
    s.SearchQuery = query;
    s.SearchSort = sort;
    s.SearchPage = page;
    s.PagesPer = perPage;
    s.SearchParams = SearchState::paramsFor(query, sort, page);
    return s;
}

QString pageLink(qint64 offset, const QString& label, const QString& query = "report")
{
    return QStringLiteral("<a href=\"http://127.0.0.1:4775/?s=relevancy&p=%1&q=%2\">%3</a> ")
        .arg(offset)
        .arg(query, label);
}

QString selected(int number)
{
    return QStringLiteral("<span class=\"selected\">%1 </span>").arg(number);
}

QString navigation(const QString& inner)
{
    return QStringLiteral("<div id=\"page-navigation\">Result page: ") + inner +
           QStringLiteral("</div>");
}

QString prev(qint64 offset)
{
    return pageLink(offset, QStringLiteral("<b>Prev</b>"));
}

QString next(qint64 offset)
{
    return pageLink(offset, QStringLiteral("<b>Next</b>"));
}

// The hit numbers listed on a page.
QList<int> hitNumbers(const QString& page)
{
    QList<int> numbers;
    qsizetype at = 0;
    while ((at = page.indexOf(QLatin1String("<h4>"), at)) >= 0) {
        at += 4;
        numbers << page.mid(at, page.indexOf(QLatin1Char('.'), at) - at).toInt();
    }
    return numbers;
}

QList<int> range(int from, int to)
{
    QList<int> out;
    for (int i = from; i <= to; ++i)
        out << i;
    return out;
}

TEST(ResultPagesTest, FortyHitsAtFifteenPerPage)
{
    const ResultsTable table = numberedTable(40);
    const struct
    {
        int offset;
        QString counts;
        QList<int> hits;
        QString navigation;
    } cases[] = {
        {0, "0 - 15", range(1, 15),
         navigation(selected(1) + pageLink(15, "2") + pageLink(30, "3") + next(15))},
        {15, "15 - 30", range(16, 30),
         navigation(prev(0) + pageLink(0, "1") + selected(2) + pageLink(30, "3") + next(30))},
        {30, "30 - 40", range(31, 40),
         navigation(prev(15) + pageLink(0, "1") + pageLink(15, "2") + selected(3))},
        // Off the grid: nothing selected, Prev to a negative offset.
        {7, "7 - 22", range(8, 22),
         navigation(prev(-8) + pageLink(0, "1") + pageLink(15, "2") + pageLink(30, "3") +
                    next(22))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        const QString page = pages().PP(
            state(QStringLiteral("report"), QStringLiteral("relevancy"), c.offset), true, table);
        EXPECT_TRUE(page.contains(QStringLiteral("Results: <b>") + c.counts +
                                  QStringLiteral("</b> from <b>40</b> of <b><i>report</i></b>")));
        EXPECT_EQ(hitNumbers(page), c.hits);
        EXPECT_TRUE(page.contains(c.navigation + QStringLiteral("\r\n"))) << page.toStdString();
    }
}

TEST(ResultPagesTest, ExactMultipleOffersAnEmptyLastPage)
{
    const QString page = pages().PP(state("report", "relevancy", 30), true, numberedTable(30));
    EXPECT_TRUE(
        page.contains(navigation(prev(15) + pageLink(0, "1") + pageLink(15, "2") + selected(3))));
    EXPECT_TRUE(hitNumbers(page).isEmpty());
    EXPECT_TRUE(page.contains(QStringLiteral("Results: <b>30 - 30</b> from <b>30</b>")));
}

TEST(ResultPagesTest, NavigationWindowFollowsTheShownPage)
{
    const ResultsTable table = numberedTable(1000);
    QString middle = prev(435);
    for (int i = 16; i <= 44; ++i)
        middle += i == 30 ? selected(31) : pageLink(i * 15, QString::number(i + 1));
    middle += next(465);
    EXPECT_TRUE(
        pages().PP(state("report", "relevancy", 450), true, table).contains(navigation(middle)));

    QString end = prev(975);
    for (int i = 37; i <= 66; ++i)
        end += i == 66 ? selected(67) : pageLink(i * 15, QString::number(i + 1));
    EXPECT_TRUE(
        pages().PP(state("report", "relevancy", 990), true, table).contains(navigation(end)));
}

TEST(ResultPagesTest, NoHits)
{
    const QString page = pages().PP(state("nothing", "relevancy", 0), false, ResultsTable());
    EXPECT_TRUE(page.contains(
        QStringLiteral("Results: <b> 0 </b> from <b> 0 </b> of <b><i>nothing</i></b>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<h3>No Results</h3>")));
    EXPECT_TRUE(page.contains(navigation(selected(1))));
}

TEST(ResultPagesTest, SortLineMarksTheKeyInUse)
{
    const QString link =
        QStringLiteral("<a href=\"http://127.0.0.1:4775/?s=%1&p=15&q=two%20words\">%2</a> / ");
    const QString expected = link.arg("relevancy", "relevancy") + link.arg("filename", "name") +
                             link.arg("path", "path") +
                             QStringLiteral("<span class=\"selected\">size</span> / ") +
                             link.arg("date", "change date");
    EXPECT_EQ(pages().PPSorting(state("two words", "size", 15)), expected + QStringLiteral("\r\n"));
    EXPECT_EQ(pages().PPSorting(state("two words", "name", 15)), QStringLiteral("\r\n"));
}

TEST(ResultPagesTest, HitLinesCarryEscapedNamesAndEncodedLinks)
{
    ResultsTable table;
    table.setRows({{QStringLiteral("<b>&amp.txt"), QStringLiteral("/home/u/R&D #1/100%+x\".txt"),
                    39087.0, Q_INT64_C(3000000000)},
                   {QStringLiteral("late.txt"), QStringLiteral("/l"), 39087.5859722222, 1}});
    const QString page = pages().PPSub(state("R&D", "relevancy", 0), table);
    const QString link = QStringLiteral("http://127.0.0.1:4775/?q=R%26D&s=relevancy&p=0&run=/"
                                        "home/u/R%26D%20%231/100%25%2Bx%22.txt&token=tok3n");
    EXPECT_EQ(page.section(QStringLiteral("\r\n"), 0, 1),
              QStringLiteral("<h4>1.&nbsp;<a href=\"") + link +
                  QStringLiteral("\">&lt;b&gt;&amp;amp.txt</a> - 3000000000 bytes</h4>\r\n"
                                 "<p>Changed - 05.01.07<a class=\"red\" href=\"") +
                  link + QStringLiteral("\">/home/u/R&amp;D #1/100%+x&quot;.txt</a></p>"));
    // A time of day other than midnight is shown after the date.
    EXPECT_TRUE(page.contains(QStringLiteral("<p>Changed - 05.01.07 14:03:48<a")));
}

TEST(ResultPagesTest, MarkupInTheSearchTextShowsAsTypedAndRoundTrips)
{
    const QString typed = QStringLiteral("<script>alert('x')</script> \"q\" & #1 %41 +2");
    const QString page = pages().PP(state(typed, "relevancy", 0), true, numberedTable(3));
    EXPECT_FALSE(page.contains(QStringLiteral("<script>")));
    const QString escaped = QStringLiteral(
        "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &quot;q&quot; &amp; #1 %41 +2");
    EXPECT_TRUE(page.contains(QStringLiteral("name=\"q\" value=\"") + escaped + "\""));
    EXPECT_TRUE(page.contains(QStringLiteral("<i>") + escaped + QStringLiteral("</i>")));
    // Every link's q decodes back to the typed text.
    const QString marker = QStringLiteral("&q=");
    qsizetype at = page.indexOf(marker);
    ASSERT_GE(at, 0);
    int links = 0;
    for (; at >= 0; at = page.indexOf(marker, at + 1)) {
        const qsizetype start = at + marker.size();
        const QString value = page.mid(start, page.indexOf(QLatin1Char('"'), start) - start);
        EXPECT_EQ(QUrl::fromPercentEncoding(value.toLatin1()), typed);
        ++links;
    }
    EXPECT_GE(links, 4);
}

TEST(ResultPagesTest, InternetSearchLinkIsTheEncodedVendorAddress)
{
    const QString page = pages().PP(state("a b&c\"<", "relevancy", 0), false, ResultsTable());
    EXPECT_TRUE(page.contains(
        QStringLiteral("<a href=\"http://www.lanternfly-desktop.com/search.php?q=a%20b&amp;c&quot;"
                       "%3C&amp;c=1&amp;r=1&amp;it=1&amp;wes=0\">Internet Search</a>")))
        << page.toStdString();
    // A "#" ends the address, as the opener does.
    EXPECT_TRUE(pages()
                    .PPError(state("ab#cd", "relevancy", 0))
                    .contains(QStringLiteral("search.php?q=ab\">")));
}

TEST(ResultPagesTest, PageSizeBelowOneCountsAsFifteen)
{
    const QString page = pages().PP(state("report", "relevancy", 0, 0), true, numberedTable(40));
    EXPECT_EQ(hitNumbers(page), range(1, 15));
    EXPECT_TRUE(
        page.contains(navigation(selected(1) + pageLink(15, "2") + pageLink(30, "3") + next(15))));
}

TEST(ResultPagesTest, PagesKeepTheirTemplateShape)
{
    const QString error = pages().PPError(state("x", "relevancy", 0));
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"")));
    EXPECT_TRUE(error.contains(QStringLiteral("<b>ERROR: Invalid Request</b>")));
    EXPECT_TRUE(error.contains(QStringLiteral("href=\"./images/style.css\"")));
    EXPECT_TRUE(error.endsWith(QStringLiteral("</html>\r\n\r\n")));

    const QString page = pages().PP(state("ab", "relevancy", 0), false, ResultsTable());
    EXPECT_TRUE(page.endsWith(QStringLiteral("</html>\r\n")));
    EXPECT_FALSE(page.contains(QStringLiteral("<#")));
    EXPECT_FALSE(page.contains(QLatin1Char('\n') + QString(QLatin1Char('\n'))));
}

} // namespace
