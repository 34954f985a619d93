#include "organizer/SchedulerControl.h"

#include "organizer/DateNavigator.h"
#include "organizer/EventEditing.h"
#include "organizer/EventEditorDialog.h"
#include "organizer/EventStore.h"
#include "organizer/MonthView.h"
#include "organizer/OrganizerLog.h"
#include "organizer/TimeGridView.h"
#include "organizer/TimeView.h"
#include "organizer/YearView.h"
#include "platform/Clock.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

SchedulerControl::SchedulerControl(const Clock& clock, QWidget* parent)
    : QWidget(parent), m_clock(clock)
{
    setObjectName(QStringLiteral("Scheduler"));
    m_runDialog = [](QDialog& dialog) {
        return dialog.exec();
    };

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* main = new QVBoxLayout;
    main->setSpacing(2);
    auto* bar = new QHBoxLayout;
    const auto addNavButton = [this, bar](const QString& name, const QString& text,
                                          const QString& tip, auto slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, slot);
        bar->addWidget(button);
    };
    addNavButton(QStringLiteral("PreviousPage"), QStringLiteral("\u25c0"), tr("Previous"),
                 [this] { page(-1); });
    addNavButton(QStringLiteral("TodayButton"), tr("Today"), tr("Today"), [this] {
        const QDate today = now().date();
        GoToDate(today);
        const QDateTime slot(today, QTime(now().time().hour(), 0));
        setSelection(slot, slot.addSecs(30 * 60));
    });
    addNavButton(QStringLiteral("NextPage"), QStringLiteral("\u25b6"), tr("Next"),
                 [this] { page(1); });
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("ViewTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);
    bar->addWidget(m_title, 1);
    main->addLayout(bar);

    m_views = new QStackedWidget(this);
    m_timeView = new TimeView(*this, m_views);
    m_monthView = new MonthView(*this, m_views);
    m_yearView = new YearView(*this, m_views);
    m_timeGridView = new TimeGridView(*this, m_views);
    for (QWidget* view : {m_timeView, m_monthView, m_yearView, m_timeGridView})
        m_views->addWidget(view);
    main->addWidget(m_views, 1);
    layout->addLayout(main, 1);
    m_navigator = new DateNavigator(*this, this);
    layout->addWidget(m_navigator);

    // The day view at creation, on today, the working day in sight.
    const QDateTime start = now();
    m_state.date = start.date();
    const QDateTime slot(start.date(), QTime(start.time().hour(), 0));
    m_anchor = slot;
    m_end = slot.addSecs(30 * 60);
    static_cast<TimeView*>(m_timeView)->scrollToHour(7);
    static_cast<TimeGridView*>(m_timeGridView)->scrollToHour(7);
    LayoutChanged();
}

QDateTime SchedulerControl::now() const
{
    return m_clock.now();
}

void SchedulerControl::setStore(EventStore* store)
{
    m_store = store;
    reload();
}

void SchedulerControl::reload()
{
    m_rows.clear();
    m_loaded.clear();
    const QList<QDate> days = m_state.visibleDays();
    if (days.isEmpty())
        return;
    // The navigator's three months are loaded too, for its bold days.
    const QDate navigatorFirst = m_navigator->firstMonth().isValid()
                                     ? m_navigator->firstMonth()
                                     : QDate(days.first().year(), days.first().month(), 1);
    m_loadedFrom = QDateTime(std::min(*std::min_element(days.begin(), days.end()), navigatorFirst),
                             QTime(0, 0));
    m_loadedTo = QDateTime(std::max((*std::max_element(days.begin(), days.end())).addDays(1),
                                    navigatorFirst.addMonths(3)),
                           QTime(0, 0));
    m_loaded.clear();
    if (m_store) {
        try {
            m_rows = m_store->forRange(m_loadedFrom, m_loadedTo);
        } catch (const StoreError& error) {
            qCWarning(lcOrganizer) << "cannot load events:" << error.what();
        }
    }
    m_loaded = occurrencesBetween(m_rows, m_loadedFrom, m_loadedTo);
    if (auto* view = activeView())
        view->refreshView();
    m_navigator->update();
}

std::vector<Occurrence> SchedulerControl::occurrences(const QDateTime& from,
                                                      const QDateTime& to) const
{
    if (from >= m_loadedFrom && to <= m_loadedTo) {
        std::vector<Occurrence> shown;
        for (const Occurrence& occurrence : m_loaded)
            if (overlapsRange(occurrence.start, occurrence.finish, from, to))
                shown.push_back(occurrence);
        return shown;
    }
    return occurrencesBetween(m_rows, from, to);
}

CalendarView* SchedulerControl::activeView() const
{
    return m_views ? static_cast<CalendarView*>(m_views->currentWidget()) : nullptr;
}

void SchedulerControl::setViewState(const SchedulerViewState& state)
{
    m_state = state;
    LayoutChanged();
}

void SchedulerControl::GoToDate(const QDate& day)
{
    m_state.goToDate(day);
    LayoutChanged();
}

void SchedulerControl::GoToDate(const QDate& day, ViewMode mode)
{
    m_state.mode = mode;
    m_state.goToDate(day);
    LayoutChanged();
}

void SchedulerControl::page(int direction)
{
    m_state = m_state.paged(direction);
    LayoutChanged();
}

void SchedulerControl::activateDay(const QDate& day)
{
    setSelection(QDateTime(day, QTime(8, 0)), QDateTime(day, QTime(8, 30)));
    GoToDate(day, ViewMode::Day);
}

void SchedulerControl::setSelection(const QDateTime& anchor, const QDateTime& end)
{
    m_anchor = anchor;
    m_end = end;
    if (auto* view = activeView())
        view->update();
}

void SchedulerControl::LayoutChanged()
{
    switch (m_state.mode) {
    case ViewMode::Day:
    case ViewMode::WorkWeek:
    case ViewMode::Week:
        m_views->setCurrentWidget(m_timeView);
        break;
    case ViewMode::Month:
        m_views->setCurrentWidget(m_monthView);
        break;
    case ViewMode::Year:
        m_views->setCurrentWidget(m_yearView);
        break;
    case ViewMode::TimeGrid:
        m_views->setCurrentWidget(m_timeGridView);
        break;
    }
    m_navigator->follow(m_state.date);
    updateTitle();
    reload();
    emit viewChanged();
}

void SchedulerControl::updateTitle()
{
    const QLocale locale;
    const QList<QDate> days = m_state.visibleDays();
    QString title;
    switch (m_state.mode) {
    case ViewMode::Day:
        title = locale.toString(m_state.date, QStringLiteral("dddd, d MMMM yyyy"));
        break;
    case ViewMode::WorkWeek:
    case ViewMode::Week:
        title = locale.toString(days.first(), QStringLiteral("d MMMM")) +
                QStringLiteral(" \u2013 ") +
                locale.toString(days.last(), QStringLiteral("d MMMM yyyy"));
        break;
    case ViewMode::Month:
        title = locale.toString(m_state.date, QStringLiteral("MMMM yyyy"));
        break;
    case ViewMode::TimeGrid:
        title = locale.toString(days.first(), QStringLiteral("dddd, d MMMM yyyy"));
        if (days.size() > 1)
            title += QStringLiteral(" \u2026");
        break;
    case ViewMode::Year:
        title = QString::number(m_state.date.year());
        break;
    }
    m_title->setText(title);
}

void SchedulerControl::selectOccurrence(const Occurrence* occurrence)
{
    if (occurrence)
        m_selected = *occurrence;
    else
        m_selected.reset();
    if (auto* view = activeView())
        view->update();
}

bool SchedulerControl::isSelected(const Occurrence& occurrence) const
{
    return m_selected && m_selected->event.id == occurrence.event.id &&
           m_selected->index == occurrence.index;
}

void SchedulerControl::keyPressEvent(QKeyEvent* event)
{
    if (m_selected && event->key() == Qt::Key_Delete) {
        const Occurrence chosen = *m_selected;
        deleteOccurrence(chosen);
        return;
    }
    if (m_selected && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        const Occurrence chosen = *m_selected;
        openOccurrence(chosen);
        return;
    }
    QWidget::keyPressEvent(event);
}

void SchedulerControl::applyChange(const std::function<void()>& change)
{
    if (!m_store) {
        QMessageBox::warning(this, tr("Reminder"),
                             tr("The organizer database is not open; the event was not saved."));
        return;
    }
    try {
        change();
    } catch (const StoreError& error) {
        // Nothing was changed: each change is one transaction.
        QMessageBox::warning(this, tr("Reminder"), QString::fromUtf8(error.what()));
    }
    m_selected.reset();
    reload();
    emit eventsChanged();
}

std::optional<bool> SchedulerControl::askOccurrence(const QString& action)
{
    if (m_askOccurrence)
        return m_askOccurrence(action);
    QMessageBox box(QMessageBox::Question, tr("Reminder"),
                    tr("This is one occurrence of a recurring event. %1 only this occurrence or "
                       "the whole series?")
                        .arg(action),
                    QMessageBox::NoButton, this);
    QPushButton* one = box.addButton(tr("This occurrence"), QMessageBox::AcceptRole);
    QPushButton* series = box.addButton(tr("The series"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    m_runDialog(box);
    if (box.clickedButton() == one)
        return true;
    if (box.clickedButton() == series)
        return false;
    return std::nullopt;
}

void SchedulerControl::newEvent(const QDateTime& start, const QDateTime& finish, bool allDay)
{
    CalendarEvent event;
    event.start = start;
    event.finish = finish;
    event.setOption(EventOption::AllDay, allDay);
    event.setOption(EventOption::ReminderOn, true);
    event.reminderMinutes = 15;
    EventEditorDialog dialog(event, true, this);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    const CalendarEvent edited = dialog.event();
    applyChange([&] { EventEditing::create(*m_store, edited, now()); });
}

void SchedulerControl::newEventFromSelection()
{
    const QDateTime start = selectionStart();
    const QDateTime finish = selectionFinish();
    const bool wholeDays =
        start.time() == QTime(0, 0) && finish.time() == QTime(0, 0) && start.daysTo(finish) >= 1;
    newEvent(start, finish, wholeDays);
}

void SchedulerControl::openOccurrence(const Occurrence& occurrence)
{
    const bool generated = occurrence.event.type == EventType::Series && occurrence.inSeries();
    bool onlyThis = occurrence.event.type == EventType::ChangedOccurrence;
    if (generated) {
        const auto choice = askOccurrence(tr("Open"));
        if (!choice)
            return;
        onlyThis = *choice;
    }
    CalendarEvent shown = occurrence.event;
    if (onlyThis) {
        shown.start = occurrence.start;
        shown.finish = occurrence.finish;
    }
    EventEditorDialog dialog(shown, !onlyThis, this);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    const CalendarEvent edited = dialog.event();
    applyChange([&] {
        if (onlyThis)
            EventEditing::saveOccurrence(*m_store, occurrence, edited, now());
        else
            EventEditing::save(*m_store, edited, now());
    });
}

void SchedulerControl::deleteOccurrence(const Occurrence& occurrence)
{
    if (occurrence.event.type == EventType::Series && occurrence.inSeries()) {
        const auto choice = askOccurrence(tr("Delete"));
        if (!choice)
            return;
        if (!*choice) {
            applyChange([&] { EventEditing::removeSeries(*m_store, occurrence.event.id); });
            return;
        }
    }
    selectOccurrence(nullptr);
    applyChange([&] { EventEditing::removeOccurrence(*m_store, occurrence, now()); });
}

void SchedulerControl::reschedule(const Occurrence& occurrence, const QDateTime& start,
                                  const QDateTime& finish)
{
    applyChange([&] { EventEditing::reschedule(*m_store, occurrence, start, finish, now()); });
    setSelection(start, finish);
}

void SchedulerControl::showContextMenu(const QPoint& globalPos, const Occurrence* occurrence)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("SchedulerMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (occurrence) {
        const Occurrence chosen = *occurrence;
        menu->addAction(tr("&Open"), this, [this, chosen] { openOccurrence(chosen); })
            ->setObjectName(QStringLiteral("OpenEvent"));
        menu->addAction(tr("&Delete"), this, [this, chosen] { deleteOccurrence(chosen); })
            ->setObjectName(QStringLiteral("DeleteEvent"));
    } else {
        menu->addAction(tr("&New Event"), this, [this] { newEventFromSelection(); })
            ->setObjectName(QStringLiteral("NewEvent"));
        menu->addAction(tr("New &All Day Event"), this,
                        [this] {
                            const QDate day = selectionStart().date();
                            const QDate last = std::max(day, selectionFinish().addSecs(-1).date());
                            newEvent(QDateTime(day, QTime(0, 0)),
                                     QDateTime(last.addDays(1), QTime(0, 0)), true);
                        })
            ->setObjectName(QStringLiteral("NewAllDayEvent"));
        menu->addSeparator();
        menu->addAction(tr("Go to &Today"), this, [this] { GoToDate(now().date()); })
            ->setObjectName(QStringLiteral("GoToToday"));
    }
    menu->popup(globalPos);
}
