#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}
class ResultsRequestHandler;
class SidebarServices;

// The loopback HTTP server of the result pages: binds 127.0.0.1 only, serves
// each connection on a bounded pool of threads with read and write time-outs,
// and hands every request to the handler. If the port is taken it says so once
// and tries again every retry interval.
class ResultsServer : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        std::chrono::seconds readTimeout{5};
        std::chrono::seconds writeTimeout{5};
        int threads = 8;
        // Accepted connections waiting for a thread; beyond this the server
        // stops accepting until one is free (the kernel's backlog holds the rest).
        int queued = 64;
        std::chrono::milliseconds retryInterval{30000};
    };

    ResultsServer(ResultsRequestHandler& handler, SidebarServices& services, Options options,
                  QObject* parent = nullptr);
    ResultsServer(ResultsRequestHandler& handler, SidebarServices& services,
                  QObject* parent = nullptr)
        : ResultsServer(handler, services, Options(), parent)
    {}
    ~ResultsServer() override;

    // Starts listening on 127.0.0.1:port (0: any free port, for tests).
    void start(int port);
    // Stops listening and waits for the requests being served.
    void stop();
    bool isListening() const { return m_server != nullptr; }
    // The port listened on, once listening.
    int port() const { return m_boundPort; }

    static constexpr char kServerName[] = "Lanternfly Desctop Server";

signals:
    void listening(int port);

private:
    bool tryListen();

    ResultsRequestHandler& m_handler;
    SidebarServices& m_services;
    Options m_options;
    int m_port = 0;
    int m_boundPort = 0;
    bool m_failureAnnounced = false;
    QTimer m_retryTimer;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};
