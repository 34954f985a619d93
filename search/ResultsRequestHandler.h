#pragma once

#include "search/IndexQuery.h"
#include "search/ResultPages.h"
#include "search/ResultsTable.h"
#include "search/SearchState.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <mutex>

class SidebarServices;

// One HTTP request as the results server received it.
struct ResultsRequest
{
    QString peer;
    // The raw request target: path and query, still percent-encoded.
    QByteArray target;
    QByteArray host;
    // A form body; read when its type is application/x-www-form-urlencoded.
    QByteArray body;
    QByteArray contentType;
};

struct ResultsAnswer
{
    int status = 200;
    QByteArray contentType = "text/html; charset=UTF-8";
    QByteArray body;
};

// Answers the results server's requests: pictures of the images folder,
// opening a hit, the results page and the error page. Callable from any
// thread; results requests run one at a time.
class ResultsRequestHandler
{
public:
    ResultsRequestHandler(IndexQuery query, ResultPages pages, SidebarServices& services,
                          QString imagesFolder);

    ResultsAnswer SeverCommandGet(const ResultsRequest& request);

    // The port that addresses must name in their Host header.
    void setPort(int port) { m_port = port; }
    void setPagesPer(int pagesPer) { m_pagesPer = pagesPer; }

    static constexpr char kAccessDenied[] = "<h3 color=\"red\"> Access Denied </h3>";
    static constexpr char kDefaultBody[] = "<HTML><BODY><B>200 OK</B></BODY></HTML>\r\n";

private:
    bool hostIsOurs(const QByteArray& host) const;
    ResultsAnswer picture(const QString& path) const;
    ResultsAnswer results(const ResultsRequest& request);
    void openHit(const QString& path, const QString& token);

    IndexQuery m_query;
    ResultPages m_pages;
    SidebarServices& m_services;
    QString m_imagesFolder;
    std::atomic<int> m_port{4775};
    std::atomic<int> m_pagesPer{15};

    // Guards the search state and the results table: one results request at a time.
    std::mutex m_mutex;
    ResultsTable m_table;
    SearchState m_state;
};
