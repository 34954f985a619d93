#include "feeds/FeedPanel.h"

#include "app/LFGlobals.h"
#include "feeds/FeedRules.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

constexpr int kIndicatorInterval = 400;
constexpr int kRetrieveInterval = 50;

} // namespace

FeedPanel::FeedPanel(LFGlobals& globals, SidebarServices& services, ServiceAddresses addresses,
                     QWidget* panel, QMenu* optionMenu, const Names& names, QObject* parent)
    : QObject(parent), m_globals(globals), m_services(services), m_addresses(std::move(addresses)),
      m_panel(panel), m_downloadTimer(new QTimer(this)), m_indicatorTimer(new QTimer(this)),
      m_indicator(new QLabel(panel)), m_workers(this, "runHandOvers")
{
    m_downloadTimer->setObjectName(QString::fromLatin1(names.downloadTimer));
    m_downloadTimer->setInterval(names.firstInterval);
    connect(m_downloadTimer, &QTimer::timeout, this, &FeedPanel::downloadTimerTimer);

    m_indicatorTimer->setObjectName(QString::fromLatin1(names.indicatorTimer));
    m_indicatorTimer->setInterval(kIndicatorInterval);
    connect(m_indicatorTimer, &QTimer::timeout, this, &FeedPanel::indicatorTimerTimer);

    m_indicator->setObjectName(QString::fromLatin1(names.indicatorLabel));
    m_indicator->setGeometry(names.indicatorGeometry);
    QFont bold = m_indicator->font();
    bold.setBold(true);
    m_indicator->setFont(bold);

    if (optionMenu) {
        // Retrieve, a separator, Configure, a separator, then the menu's Close.
        QAction* close = optionMenu->actions().value(0);
        auto* retrieve = new QAction(QString::fromLatin1(names.retrieveText), optionMenu);
        retrieve->setObjectName(QString::fromLatin1(names.retrieveItem));
        connect(retrieve, &QAction::triggered, this, &FeedPanel::retrieveClick);
        auto* configure = new QAction(QStringLiteral("Configure"), optionMenu);
        configure->setObjectName(QString::fromLatin1(names.configureItem));
        configure->setEnabled(names.configurable);
        if (names.configurable)
            connect(configure, &QAction::triggered, this, &FeedPanel::configureRequested);
        optionMenu->insertAction(close, retrieve);
        optionMenu->insertSeparator(close);
        optionMenu->insertAction(close, configure);
        optionMenu->insertSeparator(close);
    }
    m_downloadTimer->start();
}

FeedPanel::~FeedPanel()
{
    shutdown();
}

void FeedPanel::shutdown()
{
    m_downloadTimer->stop();
    m_indicatorTimer->stop();
    m_workers.shutdown();
}

void FeedPanel::downloadTimerTimer()
{
    m_downloadTimer->setInterval(laterInterval());
    startRun();
}

void FeedPanel::indicatorTimerTimer()
{
    if (m_indicator->text().isEmpty())
        m_indicator->setText(QStringLiteral("Loading..."));
    else
        m_indicator->clear();
}

void FeedPanel::retrieveClick()
{
    m_downloadTimer->stop();
    m_downloadTimer->setInterval(kRetrieveInterval);
    m_downloadTimer->start();
}

void FeedPanel::startLoading()
{
    m_indicatorTimer->start();
}

void FeedPanel::stopLoading()
{
    m_indicatorTimer->stop();
    m_indicator->clear();
}

void FeedPanel::announceFailure(const QString& title, const QString& text)
{
    FeedRules::announceFailure(m_globals.NetErrorShown, m_services, title, text);
    stopLoading();
}

void FeedPanel::dataShown()
{
    stopLoading();
    m_globals.NetErrorShown = false;
}

void FeedPanel::startWorker(const QString& name,
                            std::function<void(FeedFetcher&, HandOverGate&)> body)
{
    m_workers.start(name,
                    [limits = m_limits, host = m_addresses.ProbeHost, port = m_addresses.ProbePort,
                     body = std::move(body)](HandOverGate& gate) {
                        HttpFetcher fetcher(host, port, limits, gate.cancelFlag());
                        body(fetcher, gate);
                    });
}
