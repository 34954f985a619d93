#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

// An HTTP service on 127.0.0.1 in the test process, answering each path with
// what the test set. Also hands out a closed port and a port that accepts
// connections but never answers.
class StandInServer
{
public:
    struct Answer
    {
        Answer(int status_ = 200, QByteArray body_ = {}, std::string contentType_ = "text/xml",
               std::chrono::milliseconds delay_ = std::chrono::milliseconds(0))
            : status(status_), body(std::move(body_)), contentType(std::move(contentType_)),
              delay(delay_)
        {}
        int status;
        QByteArray body;
        std::string contentType;
        std::chrono::milliseconds delay;
        std::string location; // for redirects
    };

    StandInServer();
    ~StandInServer();

    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    void answer(const std::string& path, Answer answer);
    void answer(const std::string& path, const QByteArray& body)
    {
        answer(path, Answer{200, body});
    }
    // Request targets as received (path and query).
    QStringList requests() const;

    // A port on 127.0.0.1 where nothing listens.
    static int closedPort();

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, Answer> m_answers;
    QStringList m_requests;
};

// Accepts connections into its backlog and never answers them.
class SilentServer
{
public:
    SilentServer();
    ~SilentServer();
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    int m_fd = -1;
    int m_port = 0;
};
