#include "search/ResultsRequestHandler.h"

#include "shell/UrlEncoding.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kToken = QStringLiteral("secret-token");
const QByteArray kHost = "127.0.0.1:4775";

class ResultsRequestHandlerTest : public ::testing::Test
{
protected:
    ResultsRequestHandlerTest()
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("images"));
        m_folder.write(QStringLiteral("images/logo.gif"), QByteArray("GIF89a-logo"));
        m_folder.write(QStringLiteral("images/style.css"), QByteArray("body{}"));
        m_folder.write(QStringLiteral("secret.txt"), QByteArray("private"));
        QFile::link(m_folder.filePath(QStringLiteral("secret.txt")),
                    m_folder.filePath(QStringLiteral("images/link.gif")));
        std::vector<QVariantList> forty;
        for (int i = 40; i >= 1; --i)
            forty.push_back(indexRow(QStringLiteral("hit%1.txt").arg(i), i, 39087.0));
        m_index[QStringLiteral("report")] = indexResult(forty);
        // Delivered least relevant first.
        m_index[QStringLiteral("R&D x")] = indexResult({indexRow(QStringLiteral("C.txt"), 1, 1.0),
                                                        indexRow(QStringLiteral("B.txt"), 1, 1.0),
                                                        indexRow(QStringLiteral("A.txt"), 1, 1.0)});
    }

    ResultsAnswer get(const QByteArray& target, const QString& peer = "127.0.0.1",
                      const QByteArray& host = kHost)
    {
        ResultsRequest request;
        request.peer = peer;
        request.target = target;
        request.host = host;
        return m_handler.SeverCommandGet(request);
    }
    QString body(const QByteArray& target) { return QString::fromUtf8(get(target).body); }

    TestFolder m_folder;
    std::map<QString, StatementResult> m_index;
    RecordingServices m_services;
    ResultsRequestHandler m_handler{
        IndexQuery([this](const QString& statement) -> StatementResult {
            for (const auto& [text, result] : m_index) {
                QString quoted = text;
                quoted.replace(QLatin1Char('\''), QLatin1String("''"));
                if (statement.contains(QStringLiteral("('\"") + quoted + QStringLiteral("\"')")))
                    return result;
            }
            if (statement.contains(QLatin1String("broken")))
                throw StatementError("catalogue is damaged");
            return indexResult({});
        }),
        ResultPages(&UrlEncoding::encodeWebAddress, kToken, QLocale::c()), m_services,
        m_folder.filePath(QStringLiteral("images"))};
};

const QByteArray kErrorPage = "<b>ERROR: Invalid Request</b>";
const QByteArray kResultsPage = "<div id=\"page-navigation\">";
const QByteArray kNotAnInteger = "is not a valid integer value";

TEST_F(ResultsRequestHandlerTest, RequestsAndTheirAnswers)
{
    const struct
    {
        const char* target;
        int status;
        QByteArray contentType;
        QByteArray bodyPart;
        QString balloon;
    } cases[] = {
        {"/images/logo.gif", 200, "image/gif", "GIF89a-logo", ""},
        {"/images/style.css", 200, "text/css; charset=UTF-8", "body{}", ""},
        // The error page's relative style sheet from any page path.
        {"/search/images/style.css", 200, "text/css; charset=UTF-8", "body{}", ""},
        {"/images/none.gif", 500, "text/html; charset=UTF-8", "Cannot open file \"", ""},
        {"/images/../secret.txt", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/images/%2e%2E/secret.txt", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/images/..%2Fsecret.txt", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/images/link.gif", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/images//etc/passwd", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/images/", 500, "text/html; charset=UTF-8", "Cannot open file", ""},
        {"/favicon.ico", 500, "text/html; charset=UTF-8", "'' " + kNotAnInteger, ""},
        {"/", 500, "text/html; charset=UTF-8", "'' " + kNotAnInteger, ""},
        {"/?s=name&p=0&q=abc", 200, "text/html; charset=UTF-8", ResultsRequestHandler::kDefaultBody,
         "Error!|Query error!|3|20"},
        {"/?s=relevancy&p=64999&q=report", 200, "text/html; charset=UTF-8", kResultsPage, ""},
        {"/?s=relevancy&p=65000&q=report", 200, "text/html; charset=UTF-8", kErrorPage,
         "Error!|Query error!|3|20"},
        {"/?s=relevancy&p=-15&q=report", 200, "text/html; charset=UTF-8", kErrorPage,
         "Error!|Query error!|3|20"},
        {"/?s=relevancy&p=%2B15&q=report", 200, "text/html; charset=UTF-8", kResultsPage, ""},
        {"/?s=relevancy&p=+15&q=report", 500, "text/html; charset=UTF-8", "' 15' " + kNotAnInteger,
         ""},
        {"/?s=relevancy&p=0x10&q=report", 500, "text/html; charset=UTF-8", kNotAnInteger, ""},
        {"/?s=relevancy&p=5000000000&q=report", 500, "text/html; charset=UTF-8", kNotAnInteger, ""},
        {"/?s=relevancy&p=%3Cb%3E&q=report", 500, "text/html; charset=UTF-8",
         "'&lt;b&gt;' " + kNotAnInteger, ""},
        {"/?s=relevancy&p=0&q=a", 200, "text/html; charset=UTF-8", kErrorPage,
         "Warning!|Query length must be more than one symbol.|2|5"},
        {"/?s=relevancy&p=0", 200, "text/html; charset=UTF-8", kErrorPage,
         "Warning!|Query length must be more than one symbol.|2|5"},
        {"/?s=relevancy&p=0&q=%C3%A9", 200, "text/html; charset=UTF-8", kErrorPage,
         "Warning!|Query length must be more than one symbol.|2|5"},
        {"/?S=size&P=0&Q=report", 200, "text/html; charset=UTF-8",
         "<span class=\"selected\">size</span>", ""},
        {"/?q=report&q=other&s=relevancy&s=path&p=0", 200, "text/html; charset=UTF-8",
         "<b>40</b> of <b><i>report</i></b>", ""},
        {"/search?s=relevancy&p=0&q=report", 200, "text/html; charset=UTF-8", kResultsPage, ""},
        {"/?s=relevancy&p=0&q=broken", 500, "text/html; charset=UTF-8", "catalogue is damaged", ""},
        {"/?s=relevancy&p=0&q=%00%FF%FE", 200, "text/html; charset=UTF-8", "No Results", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const size_t before = m_services.balloons().size();
        const ResultsAnswer answer = get(c.target);
        EXPECT_EQ(answer.status, c.status);
        EXPECT_EQ(answer.contentType, c.contentType);
        EXPECT_TRUE(answer.body.contains(c.bodyPart)) << answer.body.left(400).toStdString();
        const auto balloons = m_services.balloons();
        if (c.balloon.isEmpty()) {
            EXPECT_EQ(balloons.size(), before);
        } else {
            ASSERT_EQ(balloons.size(), before + 1);
            const auto& b = balloons.back();
            EXPECT_EQ(QStringLiteral("%1|%2|%3|%4").arg(b.title, b.text).arg(b.icon).arg(b.timeout),
                      c.balloon);
        }
    }
    EXPECT_TRUE(m_services.opened().empty());
}

TEST_F(ResultsRequestHandlerTest, OnlyLoopbackPeersAndOurHostNamesAreServed)
{
    EXPECT_EQ(get("/images/logo.gif", "127.0.0.2").body, ResultsRequestHandler::kAccessDenied);
    EXPECT_EQ(get("/?s=relevancy&p=0&q=report", "::1").status, 200);
    EXPECT_EQ(get("/?s=relevancy&p=0&q=report", "::1").body, ResultsRequestHandler::kAccessDenied);
    for (const QByteArray& host : {QByteArray("evil.example:4775"), QByteArray("127.0.0.1"),
                                   QByteArray("localhost:80"), QByteArray()}) {
        const ResultsAnswer answer = get("/images/logo.gif", "127.0.0.1", host);
        EXPECT_EQ(answer.status, 403) << host.toStdString();
        EXPECT_EQ(answer.body, ResultsRequestHandler::kAccessDenied);
    }
    EXPECT_EQ(get("/images/logo.gif", "127.0.0.1", "LocalHost:4775").status, 200);
}

TEST_F(ResultsRequestHandlerTest, PlusIsABlankAndEscapesArriveDecoded)
{
    const QString page = body("/?s=relevancy&p=0&q=R%26D+x");
    EXPECT_TRUE(page.contains(QStringLiteral("<i>R&amp;D x</i>")));
    // The best hit, delivered last, leads.
    const qsizetype a = page.indexOf(QLatin1String(">A.txt<"));
    const qsizetype b = page.indexOf(QLatin1String(">B.txt<"));
    const qsizetype c = page.indexOf(QLatin1String(">C.txt<"));
    EXPECT_TRUE(a >= 0 && a < b && b < c);
    EXPECT_TRUE(page.contains(QStringLiteral("?q=R%26D%20x&s=relevancy&p=0&run=")));
}

TEST_F(ResultsRequestHandlerTest, HitsOpenOnlyFromTheirOwnLinks)
{
    body("/?s=relevancy&p=0&q=report");
    const QByteArray hit = "/home/user/docs/hit7.txt";
    const QByteArray page = "/?q=report&s=relevancy&p=0&run=" + hit;

    EXPECT_TRUE(body(page + "&token=" + kToken.toUtf8()).contains("<i>report</i>"));
    EXPECT_TRUE(body(page).contains("<i>report</i>"));
    body(page + "&token=guess");
    body("/?q=report&s=relevancy&p=0&run=/etc/passwd&token=" + kToken.toUtf8());
    body("/?q=report&s=relevancy&p=0&run=%2Fhome%2Fuser%2Fdocs%2F..%2F..%2F..%2Fetc%2Fpasswd"
         "&token=" +
         kToken.toUtf8());
    ASSERT_EQ(m_services.opened().size(), 1u);
    EXPECT_EQ(m_services.opened()[0], QString::fromUtf8(hit));

    // The hit opens even when the request is then refused.
    const ResultsAnswer refused =
        get("/?q=report&s=bogus&p=0&run=" + hit + "&token=" + kToken.toUtf8());
    EXPECT_EQ(refused.body, ResultsRequestHandler::kDefaultBody);
    EXPECT_EQ(get("/?q=report&s=relevancy&p=zz&run=" + hit + "&token=" + kToken.toUtf8()).status,
              500);
    EXPECT_EQ(m_services.opened().size(), 3u);
}

TEST_F(ResultsRequestHandlerTest, LinksOfAPageLeadBackToIt)
{
    // A path with every awkward character survives the trip through the link.
    const QString path = QStringLiteral("/home/u/a+b & c #1 100%.txt");
    m_index[QStringLiteral("odd")] =
        indexResult({{QStringLiteral("a+b & c #1 100%.txt"), 5, 39087.0, path}});
    const QString page = body("/?s=relevancy&p=0&q=odd");
    const QString hitLink = QStringLiteral("<h4>1.&nbsp;<a href=\"http://127.0.0.1:4775");
    ASSERT_GE(page.indexOf(hitLink), 0);
    const qsizetype start = page.indexOf(hitLink) + hitLink.size();
    const QString link = page.mid(start, page.indexOf(QLatin1Char('"'), start) - start);
    get(link.toUtf8());
    ASSERT_EQ(m_services.opened().size(), 1u);
    EXPECT_EQ(m_services.opened()[0], path);
}

TEST_F(ResultsRequestHandlerTest, FormPostsAreReadLikeQueries)
{
    ResultsRequest request;
    request.peer = QStringLiteral("127.0.0.1");
    request.host = kHost;
    request.target = "/";
    request.contentType = "application/x-www-form-urlencoded";
    request.body = "s=relevancy&p=0&q=report";
    EXPECT_TRUE(m_handler.SeverCommandGet(request).body.contains("<b>40</b>"));
}

TEST_F(ResultsRequestHandlerTest, PageSizeComesFromTheSetting)
{
    m_handler.setPagesPer(20);
    EXPECT_TRUE(body("/?s=relevancy&p=0&q=report").contains("Results: <b>0 - 20</b>"));
}

} // namespace
