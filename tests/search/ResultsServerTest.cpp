#include "search/ResultsServer.h"

#include "search/ResultsRequestHandler.h"
#include "shell/UrlEncoding.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>

#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A listening socket on a free loopback port, standing in for another program.
class PortHolder
{
public:
    PortHolder()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(m_socket, 1);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~PortHolder() { release(); }
    void release()
    {
        if (m_socket >= 0)
            ::close(m_socket);
        m_socket = -1;
    }
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

int connectTo(int port)
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    timeval bound{10, 0};
    ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof(bound));
    return sock;
}

class ResultsServerTest : public ::testing::Test
{
protected:
    ResultsServerTest()
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("images"));
        m_folder.write(QStringLiteral("images/logo.gif"), QByteArray("GIF89a"));
        std::vector<QVariantList> rows;
        for (int i = 0; i < 40; ++i)
            rows.push_back(indexRow(QStringLiteral("hit%1.txt").arg(i), i, 39087.0));
        m_rows = indexResult(rows);
    }

    ResultsServer::Options quickOptions()
    {
        ResultsServer::Options options;
        options.readTimeout = 1s;
        options.writeTimeout = 1s;
        options.threads = 4;
        options.queued = 8;
        options.retryInterval = 50ms;
        return options;
    }

    TestFolder m_folder;
    StatementResult m_rows;
    RecordingServices m_services;
    ResultsRequestHandler m_handler{
        IndexQuery([this](const QString&) { return m_rows; }),
        ResultPages(&UrlEncoding::encodeWebAddress, QStringLiteral("t"), QLocale::c()), m_services,
        m_folder.filePath(QStringLiteral("images"))};
};

TEST_F(ResultsServerTest, AnswersOverHttpWithItsHeaders)
{
    ResultsServer server(m_handler, m_services, quickOptions());
    server.start(0);
    ASSERT_TRUE(server.isListening());
    httplib::Client client("127.0.0.1", server.port());

    auto page = client.Get("/?s=relevancy&p=0&q=report");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Server"), "Lanternfly Desctop Server");
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=UTF-8");
    EXPECT_NE(page->body.find("<b>40</b>"), std::string::npos);

    auto picture = client.Get("/images/logo.gif");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->get_header_value("Content-Type"), "image/gif");
    EXPECT_EQ(picture->body, "GIF89a");

    auto head = client.Head("/?s=relevancy&p=0&q=report");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
    EXPECT_TRUE(head->body.empty());

    auto favicon = client.Get("/favicon.ico");
    ASSERT_TRUE(favicon);
    EXPECT_EQ(favicon->status, 500);
    EXPECT_EQ(favicon->body, "'' is not a valid integer value");

    // A 100 kB search text gets a defined answer and the server stays up.
    auto huge = client.Get("/?s=relevancy&p=0&q=" + std::string(100 * 1024, 'a'));
    ASSERT_TRUE(huge);
    EXPECT_GE(huge->status, 400);
    EXPECT_TRUE(client.Get("/images/logo.gif"));
    server.stop();
    EXPECT_FALSE(server.isListening());
}

TEST_F(ResultsServerTest, ConcurrentRequestsEachGetAWholePage)
{
    ResultsServer server(m_handler, m_services, quickOptions());
    server.start(0);
    ASSERT_TRUE(server.isListening());
    std::atomic<int> whole{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 100; ++i) {
        clients.emplace_back([&, i] {
            httplib::Client client("127.0.0.1", server.port());
            client.set_read_timeout(30s);
            const std::string offset = std::to_string((i % 3) * 15);
            auto answer = client.Get("/?s=size&p=" + offset + "&q=report" + std::to_string(i));
            // Each page names its own query and offset: no state from another request.
            if (answer && answer->status == 200 &&
                answer->body.find("<i>report" + std::to_string(i) + "</i>") != std::string::npos &&
                answer->body.find("Results: <b>" + offset + " - ") != std::string::npos)
                ++whole;
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(whole.load(), 100);
}

TEST_F(ResultsServerTest, StalledClientIsDroppedAndOthersAreServed)
{
    ResultsServer::Options options = quickOptions();
    options.threads = 2;
    ResultsServer server(m_handler, m_services, options);
    server.start(0);
    const int stalled = connectTo(server.port());
    const char half[] = "GET /?s=relevancy&p=0&q=rep";
    ASSERT_GT(::send(stalled, half, sizeof(half) - 1, 0), 0);

    httplib::Client client("127.0.0.1", server.port());
    auto answer = client.Get("/images/logo.gif");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);

    // Closed by the server's read time-out; the receive bound is far longer.
    char buffer[64];
    EXPECT_EQ(::recv(stalled, buffer, sizeof(buffer), 0), 0);
    ::close(stalled);
}

TEST_F(ResultsServerTest, TakenPortIsAnnouncedOnceAndRetried)
{
    PortHolder other;
    ResultsServer server(m_handler, m_services, quickOptions());
    QSignalSpy listening(&server, &ResultsServer::listening);
    server.start(other.port());
    EXPECT_FALSE(server.isListening());
    ASSERT_EQ(m_services.balloons().size(), 1u);
    EXPECT_EQ(m_services.balloons()[0].title, QStringLiteral("Error!"));
    EXPECT_TRUE(m_services.balloons()[0].text.contains(QString::number(other.port())));

    // Still taken at the next attempt: no second balloon.
    listening.wait(200);
    EXPECT_EQ(listening.count(), 0);
    other.release();
    ASSERT_TRUE(listening.count() > 0 || listening.wait(5000));
    EXPECT_EQ(server.port(), other.port());
    EXPECT_EQ(m_services.balloons().size(), 1u);
    httplib::Client client("127.0.0.1", server.port());
    EXPECT_TRUE(client.Get("/images/logo.gif"));
}

} // namespace
