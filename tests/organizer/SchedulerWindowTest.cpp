#include "app/LFGlobals.h"
#include "organizer/EventEditing.h"
#include "organizer/EventEditorDialog.h"
#include "organizer/OrgPanelController.h"
#include "organizer/RecurrenceDialog.h"
#include "organizer/ReminderForm.h"
#include "organizer/ReminderMonitor.h"
#include "organizer/SchedulerControl.h"
#include "organizer/ShedulerForm.h"
#include "organizer/TimeView.h"
#include "tests/organizer/FakeClock.h"
#include "tests/organizer/RecordingServices.h"
#include "tests/organizer/TestDatabase.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Monday 11 March 2024, 10:00.
const QDateTime kNow(QDate(2024, 3, 11), QTime(10, 0, 0));

// Processes events until done() or about two seconds have passed.
template <typename Predicate> bool waitFor(Predicate done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class SchedulerWindowTest : public ::testing::Test
{
protected:
    SchedulerWindowTest() : m_clock(kNow)
    {
        m_globals.ProgramFolder = m_folder.path() + QLatin1Char('/');
        m_globals.PrevPeriod = QStringLiteral("PWeek");
        m_globals.ReminderEnable = true;
        m_panel.setObjectName(QStringLiteral("OrgPanel"));
        for (int i = 1; i <= 3; ++i)
            new QLabel(&m_panel);
        EXPECT_TRUE(createOrganizerDatabase(m_folder.filePath("Organaizer.db")));
    }
    std::unique_ptr<ShedulerForm> start()
    {
        auto form = std::make_unique<ShedulerForm>(m_globals, m_services, &m_panel, &m_clock);
        form->panel()->LoadORGTimerTimer();
        form->panel()->OrgTimerTimer();
        return form;
    }
    QLabel* label(int index) const
    {
        return m_panel.findChild<QLabel*>(QStringLiteral("ORGLab%1").arg(index));
    }
    // Saves a picture of widget when LF_SCREENSHOT_DIR names a folder.
    static void shoot(QWidget& widget, const QString& name)
    {
        const QString folder = qEnvironmentVariable("LF_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // The editor as a user fills it: subject, reminder, and a weekly recurrence.
    static std::function<int(QDialog&)> fillEditor(const QString& subject, bool weekly,
                                                   int reminderMinutes)
    {
        return [=](QDialog& dialog) {
            auto* editor = qobject_cast<EventEditorDialog*>(&dialog);
            if (!editor)
                return int(QDialog::Rejected);
            editor->findChild<QLineEdit*>(QStringLiteral("SubjectEdit"))->setText(subject);
            editor->findChild<QCheckBox*>(QStringLiteral("ReminderCheck"))->setChecked(true);
            auto* minutes = editor->findChild<QComboBox*>(QStringLiteral("ReminderMinutes"));
            minutes->setCurrentIndex(minutes->findData(reminderMinutes));
            if (weekly)
                editor->editRecurrence([](QDialog& recurrence) {
                    recurrence.findChild<QAbstractButton*>(QStringLiteral("WeeklyRadio"))->click();
                    return int(QDialog::Accepted);
                });
            return int(QDialog::Accepted);
        };
    }

    TestFolder m_folder;
    LFGlobals m_globals;
    RecordingServices m_services;
    FakeClock m_clock;
    QWidget m_panel;
};

TEST_F(SchedulerWindowTest, WindowLayoutAndViewButtons)
{
    auto form = start();
    form->show();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Reminder"));
    EXPECT_EQ(form->size(), QSize(722, 476));
    const struct
    {
        const char* button;
        const char* caption;
        int left;
        int width;
    } buttons[] = {{"TimeGridViewButton", "TimeGrid View", 6, 99},
                   {"DayViewButton", "Day View", 111, 75},
                   {"WeekViewButton", "Week View", 192, 87},
                   {"WorkWeekViewButton", "Work Week View", 285, 118},
                   {"MonthViewButton", "Month View", 409, 88},
                   {"YearViewButton", "Year View", 503, 75}};
    for (const auto& expected : buttons) {
        auto* button = form->findChild<QPushButton*>(QString::fromLatin1(expected.button));
        ASSERT_NE(button, nullptr) << expected.button;
        EXPECT_EQ(button->text(), QString::fromLatin1(expected.caption));
        EXPECT_EQ(button->geometry(), QRect(expected.left, 5, expected.width, 23));
    }
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("CloseForm"))->text(),
              QStringLiteral("Close"));
    EXPECT_EQ(form->findChild<QPushButton*>(QStringLiteral("TotalRefresh"))->size(), QSize(71, 28));
    EXPECT_EQ(form->scheduler()->viewState().mode, ViewMode::Day);
}

TEST_F(SchedulerWindowTest, ViewButtonsMoveToTheSelectionStartExceptYear)
{
    auto form = start();
    SchedulerControl* scheduler = form->scheduler();
    const auto run = [&](const char* action) {
        form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    };
    // A selection made backwards, over several days.
    const QDateTime later(QDate(2024, 5, 17), QTime(15, 0));
    const QDateTime earlier(QDate(2024, 5, 14), QTime(9, 30));
    scheduler->setSelection(later, earlier);

    run("acWeekView");
    EXPECT_EQ(scheduler->viewState().mode, ViewMode::Week);
    EXPECT_EQ(scheduler->viewState().visibleDays().first(), QDate(2024, 5, 13));
    run("acTimeGridView");
    EXPECT_EQ(scheduler->viewState().mode, ViewMode::TimeGrid);
    EXPECT_EQ(scheduler->viewState().visibleDays(), QList<QDate>{QDate(2024, 5, 14)});
    run("acMonthView");
    EXPECT_EQ(scheduler->viewState().date, QDate(2024, 5, 14));
    scheduler->setSelection(QDateTime(QDate(2025, 1, 2), QTime(8, 0)),
                            QDateTime(QDate(2025, 1, 2), QTime(9, 0)));
    run("acYearView");
    EXPECT_EQ(scheduler->viewState().mode, ViewMode::Year);
    EXPECT_EQ(scheduler->viewState().date, QDate(2024, 5, 14));
    run("acWorkWeekView");
    EXPECT_EQ(scheduler->viewState().visibleDays().size(), 5);
    EXPECT_EQ(scheduler->viewState().visibleDays().first(), QDate(2024, 12, 30));
    run("acDayView");
    EXPECT_EQ(scheduler->viewState().visibleDays(), QList<QDate>{QDate(2025, 1, 2)});

    // "Refresh" changes nothing that is shown.
    const SchedulerViewState before = scheduler->viewState();
    form->findChild<QPushButton*>(QStringLiteral("TotalRefresh"))->click();
    EXPECT_EQ(scheduler->viewState().date, before.date);
    EXPECT_EQ(scheduler->viewState().mode, before.mode);
}

TEST_F(SchedulerWindowTest, NewEventReachesThePanelFiftyMillisecondsLater)
{
    auto form = start();
    form->showAt(kNow);
    SchedulerControl* scheduler = form->scheduler();
    EXPECT_TRUE(label(1)->text().isEmpty());
    scheduler->setSelection(kNow.addDays(1), kNow.addDays(1).addSecs(3600));
    scheduler->setDialogRunner(fillEditor(QStringLiteral("Dentist"), false, 15));
    scheduler->newEventFromSelection();

    QTimer* orgTimer = form->panel()->refreshTimer();
    EXPECT_TRUE(orgTimer->isActive());
    EXPECT_EQ(orgTimer->interval(), 50);
    EXPECT_TRUE(form->isVisible());
    ASSERT_TRUE(waitFor([&] { return !label(1)->text().isEmpty(); }));
    EXPECT_EQ(label(1)->text(), QString(QChar(0x00B0)) + QStringLiteral(" Dentist.\r\n"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(SchedulerWindowTest, WeeklyEventWithReminderPopsUpWhenDueAndSnoozesAndDismisses)
{
    auto form = start();
    SchedulerControl* scheduler = form->scheduler();
    // Tuesday 12 March 2024, 09:00 to 10:00, every week, reminder 15 minutes before.
    const QDateTime tuesday(QDate(2024, 3, 12), QTime(9, 0));
    scheduler->setDialogRunner(fillEditor(QStringLiteral("Team meeting"), true, 15));
    scheduler->newEvent(tuesday, tuesday.addSecs(3600), false);
    ReminderMonitor* monitor = form->reminders();

    // Every view shows it.
    for (const char* action : {"acDayView", "acWorkWeekView", "acWeekView", "acMonthView",
                               "acTimeGridView", "acYearView"}) {
        scheduler->setSelection(tuesday.addDays(7), tuesday.addDays(7).addSecs(1800));
        form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        const QList<QDate> days = scheduler->viewState().visibleDays();
        const auto shown = scheduler->occurrences(QDateTime(days.first(), QTime(0, 0)),
                                                  QDateTime(days.last().addDays(1), QTime(0, 0)));
        EXPECT_FALSE(shown.empty()) << action;
    }

    monitor->check();
    EXPECT_TRUE(monitor->window() == nullptr || !monitor->window()->isVisible());

    m_clock.set(tuesday.addSecs(-15 * 60));
    monitor->check();
    ASSERT_NE(monitor->window(), nullptr);
    EXPECT_TRUE(monitor->window()->isVisible());
    ASSERT_EQ(monitor->window()->list()->topLevelItemCount(), 1);
    EXPECT_EQ(monitor->window()->list()->topLevelItem(0)->text(0), QStringLiteral("Team meeting"));

    // Snooze for 10 minutes: gone, and back 10 minutes later.
    auto* snoozeTime = monitor->window()->findChild<QComboBox*>(QStringLiteral("SnoozeTime"));
    snoozeTime->setCurrentIndex(snoozeTime->findData(10));
    monitor->window()->findChild<QPushButton*>(QStringLiteral("Snooze"))->click();
    EXPECT_FALSE(monitor->window()->isVisible());
    m_clock.advanceSecs(9 * 60);
    monitor->check();
    EXPECT_FALSE(monitor->window()->isVisible());
    m_clock.advanceSecs(60);
    monitor->check();
    EXPECT_TRUE(monitor->window()->isVisible());

    // Dismissed: never again for this week, next week's occurrence reminds again.
    monitor->window()->findChild<QPushButton*>(QStringLiteral("Dismiss"))->click();
    EXPECT_FALSE(monitor->window()->isVisible());
    m_clock.advanceSecs(3 * 24 * 3600);
    monitor->check();
    EXPECT_FALSE(monitor->window()->isVisible());
    m_clock.set(tuesday.addDays(7).addSecs(-15 * 60));
    monitor->check();
    EXPECT_TRUE(monitor->window()->isVisible());
    shoot(*monitor->window(), QStringLiteral("reminder"));

    // With the setting off, nothing pops up from the next refresh on.
    m_globals.ReminderEnable = false;
    form->panel()->OrgTimerTimer();
    EXPECT_FALSE(monitor->window()->isVisible());
    monitor->check();
    EXPECT_FALSE(monitor->window()->isVisible());
}

TEST_F(SchedulerWindowTest, RemindersMissedWhileNotRunningShowAtStart)
{
    {
        EventStore store = EventStore::openFile(m_folder.filePath("Organaizer.db"));
        CalendarEvent event;
        event.caption = QStringLiteral("Call the bank");
        event.start = kNow.addSecs(-3600);
        event.finish = kNow.addSecs(3600);
        event.setOption(EventOption::ReminderOn, true);
        EventEditing::create(store, event, kNow.addDays(-1));
    }
    auto form = start();
    ReminderMonitor* monitor = form->reminders();
    ASSERT_NE(monitor->window(), nullptr);
    EXPECT_TRUE(monitor->window()->isVisible());
    EXPECT_EQ(monitor->window()->list()->topLevelItem(0)->text(0), QStringLiteral("Call the bank"));
    monitor->dismissAll();
    EXPECT_FALSE(monitor->window()->isVisible());

    // A dismissed reminder stays dismissed at the next start.
    form.reset();
    auto again = start();
    EXPECT_TRUE(again->reminders()->window() == nullptr ||
                !again->reminders()->window()->isVisible());
}

TEST_F(SchedulerWindowTest, DragMovesAndResizesOccurrencesAndDeleteKeyRemovesOne)
{
    auto form = start();
    form->show();
    SchedulerControl* scheduler = form->scheduler();
    const QDateTime monday(QDate(2024, 3, 11), QTime(9, 0));
    CalendarEvent series;
    series.caption = QStringLiteral("Standup");
    series.start = monday;
    series.finish = monday.addSecs(3600);
    series.recurrenceInfo = QStringLiteral("FREQ=DAILY;COUNT=5");
    const qint64 id = EventEditing::create(*form->store(), series, kNow);
    scheduler->GoToDate(monday.date(), ViewMode::Day);
    auto* view = qobject_cast<TimeView*>(scheduler->activeView());
    ASSERT_NE(view, nullptr);
    view->resize(600, 400);
    view->scrollToHour(8);
    const auto send = [&](QEvent::Type type, QPoint at) {
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    const auto drag = [&](QPoint from, QPoint to) {
        send(QEvent::MouseButtonPress, from);
        send(QEvent::MouseMove, (from + to) / 2);
        send(QEvent::MouseMove, to);
        send(QEvent::MouseButtonRelease, to);
    };
    const auto itemRect = [&] {
        const auto items = view->items();
        return items.empty() ? QRect() : items.front().rect;
    };

    // Dragged down by an hour: only this occurrence moves.
    QRect rect = itemRect();
    ASSERT_TRUE(rect.isValid());
    drag(rect.center(), rect.center() + QPoint(0, TimeView::kHourHeight));
    EXPECT_EQ(form->panel()->refreshTimer()->interval(), 50);
    auto shown = scheduler->occurrences(monday.addSecs(-9 * 3600), monday.addDays(5));
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].start, monday.addSecs(3600));
    EXPECT_EQ(shown[0].event.type, EventType::ChangedOccurrence);
    EXPECT_EQ(shown[1].start, monday.addDays(1));

    // Its lower edge dragged down by half an hour.
    rect = itemRect();
    drag(QPoint(rect.center().x(), rect.bottom() - 1),
         QPoint(rect.center().x(), rect.bottom() - 1 + TimeView::kHourHeight / 2));
    shown = scheduler->occurrences(monday.addSecs(-9 * 3600), monday.addDays(5));
    EXPECT_EQ(shown[0].finish, monday.addSecs(2 * 3600 + 1800));

    // Selected next day's occurrence, Delete, "this occurrence only".
    scheduler->GoToDate(monday.date().addDays(1));
    rect = itemRect();
    send(QEvent::MouseButtonPress, rect.center());
    send(QEvent::MouseButtonRelease, rect.center());
    scheduler->setSeriesQuestion([](const QString&) { return std::optional<bool>(true); });
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(scheduler, &del);
    shown = scheduler->occurrences(monday.addSecs(-9 * 3600), monday.addDays(5));
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].start, monday.addDays(2));

    // Deleting the series takes its changed and deleted occurrences with it.
    scheduler->setSeriesQuestion([](const QString&) { return std::optional<bool>(false); });
    scheduler->deleteOccurrence(shown[1]);
    EXPECT_TRUE(form->store()->all().empty());
    EXPECT_FALSE(form->store()->find(id).has_value());
}

TEST_F(SchedulerWindowTest, ScreenshotsOfTheViews)
{
    auto form = start();
    EventStore& store = *form->store();
    const QDate monday(2024, 3, 11);
    const auto add = [&](QDate day, QTime from, QTime to, const char* caption, int color = 0,
                         const char* rule = "", bool allDay = false) {
        CalendarEvent event;
        event.start = QDateTime(day, from);
        event.finish = allDay ? QDateTime(day.addDays(1), QTime(0, 0)) : QDateTime(day, to);
        event.caption = QString::fromUtf8(caption);
        event.labelColor = color;
        event.recurrenceInfo = QString::fromLatin1(rule);
        event.setOption(EventOption::AllDay, allDay);
        EventEditing::create(store, event, kNow);
    };
    add(monday, QTime(9, 0), QTime(10, 0), "Team meeting", 0, "FREQ=WEEKLY;BYDAY=MO,WE");
    add(monday, QTime(9, 30), QTime(11, 0), "Budget review", 0xa6c8f4);
    add(monday, QTime(10, 0), QTime(10, 30), "Call Bob", 0xf4a6a6);
    add(monday.addDays(1), QTime(13, 0), QTime(14, 30), "Lunch with Ann", 0xb8e6a6);
    add(monday.addDays(2), QTime(0, 0), QTime(0, 0), "Conference", 0xf4e3a6, "", true);
    add(monday.addDays(4), QTime(16, 0), QTime(17, 0), "Dentist");
    add(monday.addDays(18), QTime(8, 0), QTime(8, 30), "Car service");
    CalendarEvent withMessage = *store.find(3);
    withMessage.message = QStringLiteral("Bring the report");
    EventEditing::save(store, withMessage, kNow);
    form->panel()->OrgTimerTimer();
    m_panel.resize(217, 133);
    form->show();
    SchedulerControl* scheduler = form->scheduler();
    scheduler->setSelection(QDateTime(monday, QTime(11, 0)), QDateTime(monday, QTime(12, 0)));
    for (const char* action : {"acDayView", "acWorkWeekView", "acWeekView", "acMonthView",
                               "acTimeGridView", "acYearView"}) {
        form->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        QApplication::processEvents();
        shoot(*form, QString::fromLatin1(action).mid(2));
    }
    EventEditorDialog editor(*store.find(1), true);
    editor.show();
    shoot(editor, QStringLiteral("EventEditor"));
    RecurrenceDialog recurrence(
        *RecurrenceRule::fromRRule(QStringLiteral("FREQ=WEEKLY;BYDAY=MO,WE")), true);
    recurrence.show();
    shoot(recurrence, QStringLiteral("Recurrence"));
    shoot(m_panel, QStringLiteral("OrgPanel"));
    SUCCEED();
}

} // namespace
