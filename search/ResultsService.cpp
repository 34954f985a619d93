#include "search/ResultsService.h"

#include "search/ResultsRequestHandler.h"
#include "search/ResultsServer.h"

#include <QRandomGenerator>

namespace {

// Unguessable by other pages in the browser, new at every start.
QString newRunToken()
{
    QByteArray bytes(16, '\0');
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

ResultsService::ResultsService(SidebarServices& services, const QString& programFolder,
                               int pagesPer, ResultPages::AddressEncoder encodeWebAddress,
                               StatementRunner runner, QObject* parent)
    : QObject(parent),
      m_handler(std::make_unique<ResultsRequestHandler>(
          IndexQuery(std::move(runner)), ResultPages(std::move(encodeWebAddress), newRunToken()),
          services, programFolder + QStringLiteral("images"))),
      m_server(std::make_unique<ResultsServer>(*m_handler, services))
{
    setObjectName(QStringLiteral("Sever"));
    m_handler->setPagesPer(pagesPer);
}

ResultsService::~ResultsService()
{
    // The server's threads use the handler: they end first.
    m_server.reset();
}

void ResultsService::start(int port)
{
    m_server->start(port);
}

void ResultsService::stop()
{
    m_server->stop();
}

bool ResultsService::isListening() const
{
    return m_server->isListening();
}

int ResultsService::port() const
{
    return m_server->port();
}

void ResultsService::setPagesPer(int pagesPer)
{
    m_handler->setPagesPer(pagesPer);
}
