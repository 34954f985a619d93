#include "organizer/OrgPanelController.h"

#include "app/LFGlobals.h"
#include "organizer/EventStore.h"
#include "organizer/OrgPanelHost.h"
#include "organizer/OrganizerLog.h"
#include "organizer/UpcomingEvents.h"
#include "platform/Clock.h"
#include "shell/SidebarServices.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

const QDateTime kZeroDateTime(QDate(1899, 12, 30), QTime(0, 0));
// Finishes before this were never filled from a row.
const QDateTime kFirstRealFinish(QDate(1990, 1, 1), QTime(0, 0));
constexpr int kLoadIntervalMs = 1000;
constexpr int kFirstRefreshMs = 250;

} // namespace

OrgPanelController::OrgPanelController(QWidget* orgPanel, OrgPanelHost& host,
                                       const LFGlobals& globals, SidebarServices& services,
                                       const Clock& clock)
    : QObject(orgPanel), m_host(host), m_globals(globals), m_services(services), m_clock(clock)
{
    setObjectName(QStringLiteral("OrgPanelController"));
    m_finishes.fill(kZeroDateTime);

    m_loadTimer = new QTimer(this);
    m_loadTimer->setObjectName(QStringLiteral("LoadORGTimer"));
    m_loadTimer->setInterval(kLoadIntervalMs);
    connect(m_loadTimer, &QTimer::timeout, this, &OrgPanelController::LoadORGTimerTimer);
    m_orgTimer = new QTimer(this);
    m_orgTimer->setObjectName(QStringLiteral("OrgTimer"));
    m_orgTimer->setInterval(kFirstRefreshMs);
    connect(m_orgTimer, &QTimer::timeout, this, &OrgPanelController::OrgTimerTimer);

    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    for (int i = 0; i < 3; ++i) {
        const QString name = QStringLiteral("ORGLab%1").arg(i + 1);
        QLabel* label = orgPanel->findChild<QLabel*>(name);
        if (!label)
            label = new QLabel(orgPanel);
        label->setObjectName(name);
        label->setGeometry(29, 23 + 31 * i, 164, 26);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setCursor(Qt::PointingHandCursor);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: black;"));
        label->clear();
        label->installEventFilter(this);
        m_labels[static_cast<std::size_t>(i)] = label;
    }
}

void OrgPanelController::enableLoad()
{
    m_loadTimer->start();
}

void OrgPanelController::rearm(int intervalMs)
{
    m_orgTimer->stop();
    m_orgTimer->setInterval(intervalMs);
    m_orgTimer->start();
}

void OrgPanelController::LoadORGTimerTimer()
{
    m_loadTimer->stop();
    try {
        QCoreApplication::processEvents();
        m_host.openDatabase();
    } catch (const std::exception& error) {
        qCWarning(lcOrganizer).noquote() << "cannot open the organizer database:" << error.what();
        m_services.ShowBaloon(QStringLiteral("Error!"),
                              QStringLiteral("Error loading organaizer\r\n"
                                             "Try to restart Lanternfly Desktop"),
                              SidebarServices::Error, 15);
    }
    if (m_host.upcomingSource())
        m_orgTimer->start();
}

void OrgPanelController::OrgTimerTimer()
{
    m_orgTimer->stop();
    const UpcomingSource* source = m_host.upcomingSource();
    // Before the open, or after a failed one that was already announced.
    if (!source)
        return;
    try {
        m_host.rebindStorage(m_globals.ReminderEnable);
        const auto labels = UpcomingEvents::refresh(m_clock.now(), m_globals.PrevPeriod, *source);
        if (!labels)
            return;
        for (std::size_t i = 0; i < 3; ++i) {
            m_labels[i]->setText(labels->texts[i]);
            m_finishes[i] = labels->finishes[i];
        }
    } catch (const std::exception& error) {
        qCWarning(lcOrganizer).noquote() << "refresh failed:" << error.what();
        auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Lanternfly Desktop"),
                                    QString::fromUtf8(error.what()), QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    }
}

void OrgPanelController::openAt(int index)
{
    const QDateTime finish = m_finishes.at(static_cast<std::size_t>(index));
    m_host.showAt(finish.isValid() && finish >= kFirstRealFinish ? finish : m_clock.now());
}

bool OrgPanelController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (watched == m_labels[i]) {
                openAt(static_cast<int>(i));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
