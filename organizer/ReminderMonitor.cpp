#include "organizer/ReminderMonitor.h"

#include "organizer/EventStore.h"
#include "organizer/OrganizerLog.h"
#include "organizer/ReminderForm.h"
#include "organizer/Reminders.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QTimer>

ReminderMonitor::ReminderMonitor(const Clock& clock, QWidget* owner)
    : QObject(owner), m_clock(clock), m_owner(owner)
{
    setObjectName(QStringLiteral("ReminderMonitor"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("ReminderTimer"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ReminderMonitor::check);
}

ReminderMonitor::~ReminderMonitor()
{
    delete m_window;
}

ReminderForm* ReminderMonitor::window() const
{
    return m_window;
}

void ReminderMonitor::setStore(EventStore* store)
{
    m_store = store;
}

void ReminderMonitor::setUseReminderWindow(bool use)
{
    m_useWindow = use;
    if (!use && m_window)
        m_window->hide();
    check();
}

void ReminderMonitor::check()
{
    if (!m_store || !m_useWindow) {
        m_timer->stop();
        return;
    }
    std::vector<CalendarEvent> due;
    try {
        due = m_store->dueReminders(m_clock.now());
    } catch (const StoreError& error) {
        qCWarning(lcOrganizer) << "cannot read reminders:" << error.what();
    }
    if (!due.empty()) {
        if (!m_window) {
            m_window = new ReminderForm(*this, m_clock);
            m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        }
        m_window->setReminders(due);
        if (!m_window->isVisible()) {
            // Over the calendar shown modally, the pop-up must take input too.
            m_window->setWindowModality(QApplication::activeModalWidget() ? Qt::ApplicationModal
                                                                          : Qt::NonModal);
            m_window->show();
            m_window->raise();
        }
    } else if (m_window) {
        m_window->setReminders({});
        m_window->hide();
    }
    armNextCheck();
}

void ReminderMonitor::armNextCheck()
{
    // The next due time if it is near, otherwise a regular look: the clock
    // may jump (suspend, time changes) and other programs may change the file.
    int interval = kCheckIntervalMs;
    try {
        if (const auto next = m_store->nextReminderAfter(m_clock.now()))
            interval = static_cast<int>(
                std::clamp<qint64>(m_clock.now().msecsTo(*next) + 500, 500, kCheckIntervalMs));
    } catch (const StoreError&) {
    }
    m_timer->start(interval);
}

void ReminderMonitor::dismiss(qint64 id)
{
    if (!m_store)
        return;
    try {
        if (const auto row = m_store->find(id))
            Reminders::dismiss(*m_store, *row, m_clock.now());
    } catch (const StoreError& error) {
        qCWarning(lcOrganizer) << "cannot dismiss a reminder:" << error.what();
    }
    check();
}

void ReminderMonitor::dismissAll()
{
    if (!m_store)
        return;
    try {
        for (const CalendarEvent& row : m_store->dueReminders(m_clock.now()))
            Reminders::dismiss(*m_store, row, m_clock.now());
    } catch (const StoreError& error) {
        qCWarning(lcOrganizer) << "cannot dismiss reminders:" << error.what();
    }
    check();
}

void ReminderMonitor::snooze(const QList<qint64>& ids, int minutes)
{
    if (!m_store)
        return;
    try {
        for (qint64 id : ids)
            if (const auto row = m_store->find(id))
                Reminders::snooze(*m_store, *row, m_clock.now(), minutes);
    } catch (const StoreError& error) {
        qCWarning(lcOrganizer) << "cannot snooze reminders:" << error.what();
    }
    check();
}

void ReminderMonitor::open(qint64 id)
{
    if (!m_store)
        return;
    try {
        if (const auto row = m_store->find(id)) {
            // Out of the calendar's way; still pending, it comes back at the next look.
            if (m_window)
                m_window->hide();
            emit openRequested(Reminders::occurrenceStart(*row));
        }
    } catch (const StoreError& error) {
        qCWarning(lcOrganizer) << "cannot open a reminder's event:" << error.what();
    }
}
