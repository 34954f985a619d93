#pragma once

#include "search/IndexQuery.h"
#include "search/ResultPages.h"

#include <QObject>
#include <QString>

#include <memory>

class ResultsRequestHandler;
class ResultsServer;
class SidebarServices;

// The desktop search's results site: the request handler with its search
// state and the loopback server in front of it. Lives on the user-interface
// thread; its server threads reach the sidebar only through SidebarServices.
class ResultsService : public QObject
{
    Q_OBJECT
public:
    // Pictures are served from programFolder + "images".
    ResultsService(SidebarServices& services, const QString& programFolder, int pagesPer,
                   ResultPages::AddressEncoder encodeWebAddress, StatementRunner runner,
                   QObject* parent = nullptr);
    ~ResultsService() override;

    // Listens on 127.0.0.1:port; a taken port is announced and retried.
    void start(int port);
    void stop();
    bool isListening() const;
    int port() const;
    // A new page size from the settings, for the next page served.
    void setPagesPer(int pagesPer);

    ResultsServer& server() { return *m_server; }
    ResultsRequestHandler& handler() { return *m_handler; }

private:
    std::unique_ptr<ResultsRequestHandler> m_handler;
    std::unique_ptr<ResultsServer> m_server;
};
