#pragma once

#include "organizer/Occurrences.h"
#include "organizer/SchedulerViewState.h"

#include <QWidget>

#include <functional>
#include <optional>

class Clock;
class DateNavigator;
class EventStore;
class QDialog;
class QLabel;
class QStackedWidget;
class CalendarView;

// The calendar control ("Scheduler"): the views over the organizer's events,
// the date navigator, the time selection, and event creation, editing, moving
// and deletion. Every change made here is announced by eventsChanged().
class SchedulerControl : public QWidget
{
    Q_OBJECT
public:
    explicit SchedulerControl(const Clock& clock, QWidget* parent = nullptr);

    // nullptr while the database is not open: the calendar holds no events.
    void setStore(EventStore* store);
    // Rereads the events of what is shown.
    void reload();

    const SchedulerViewState& viewState() const { return m_state; }
    void setViewState(const SchedulerViewState& state);
    // Brings day into view, keeping the view.
    void GoToDate(const QDate& day);
    void GoToDate(const QDate& day, ViewMode mode);
    void page(int direction);

    // The time selection; it may have been made backwards.
    QDateTime selectionAnchor() const { return m_anchor; }
    QDateTime selectionEnd() const { return m_end; }
    QDateTime selectionStart() const { return std::min(m_anchor, m_end); }
    QDateTime selectionFinish() const { return std::max(m_anchor, m_end); }
    void setSelection(const QDateTime& anchor, const QDateTime& end);

    // The loaded occurrences overlapping [from, to).
    std::vector<Occurrence> occurrences(const QDateTime& from, const QDateTime& to) const;
    QDateTime now() const;
    CalendarView* activeView() const;

    // What the views ask for.
    void newEvent(const QDateTime& start, const QDateTime& finish, bool allDay);
    void newEventFromSelection();
    void openOccurrence(const Occurrence& occurrence);
    void deleteOccurrence(const Occurrence& occurrence);
    void reschedule(const Occurrence& occurrence, const QDateTime& start, const QDateTime& finish);
    void showContextMenu(const QPoint& globalPos, const Occurrence* occurrence);
    void selectOccurrence(const Occurrence* occurrence);
    bool isSelected(const Occurrence& occurrence) const;
    void activateDay(const QDate& day);

    // Runs a dialog of the calendar; exec() unless a test replaces it.
    void setDialogRunner(std::function<int(QDialog&)> runner) { m_runDialog = std::move(runner); }
    // Asks whether to act on one occurrence (true) or the whole series (false);
    // nothing when cancelled.
    void setSeriesQuestion(std::function<std::optional<bool>(const QString&)> ask)
    {
        m_askOccurrence = std::move(ask);
    }

    // A full layout refresh of the active view.
    void LayoutChanged();

    std::optional<Occurrence> selectedOccurrence() const { return m_selected; }

signals:
    void eventsChanged();
    void viewChanged();

protected:
    // Delete removes the selected event, Enter opens it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyChange(const std::function<void()>& change);
    std::optional<bool> askOccurrence(const QString& action);
    void updateTitle();

    const Clock& m_clock;
    EventStore* m_store = nullptr;
    SchedulerViewState m_state;
    QDateTime m_anchor;
    QDateTime m_end;
    std::vector<CalendarEvent> m_rows;
    // The occurrences of the loaded range, expanded once per reload: the views
    // ask for them many times per paint.
    std::vector<Occurrence> m_loaded;
    QDateTime m_loadedFrom;
    QDateTime m_loadedTo;
    std::optional<Occurrence> m_selected;

    QLabel* m_title = nullptr;
    QStackedWidget* m_views = nullptr;
    CalendarView* m_timeView = nullptr;
    CalendarView* m_monthView = nullptr;
    CalendarView* m_yearView = nullptr;
    CalendarView* m_timeGridView = nullptr;
    DateNavigator* m_navigator = nullptr;
    std::function<int(QDialog&)> m_runDialog;
    std::function<std::optional<bool>(const QString&)> m_askOccurrence;
};
