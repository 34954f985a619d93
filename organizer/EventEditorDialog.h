#pragma once

#include "organizer/CalendarEvent.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// Edits one event: subject, location, start and finish, all-day, label
// colour, description, reminder with its lead time, and recurrence (not for
// a single occurrence of a series).
class EventEditorDialog : public QDialog
{
    Q_OBJECT
public:
    // recurrenceEditable is false when one occurrence of a series is edited.
    EventEditorDialog(const CalendarEvent& event, bool recurrenceEditable,
                      QWidget* parent = nullptr);
    // The event with the edited fields; the rest as it came.
    CalendarEvent event() const;
    // Opens the recurrence dialog; runner shows it (exec unless a test says otherwise).
    void editRecurrence(const std::function<int(QDialog&)>& runner);

private:
    void updateRecurrenceText();
    void updateAllDay();

    CalendarEvent m_event;
    qint64 m_durationSecs = 0;
    QLineEdit* m_subject = nullptr;
    QLineEdit* m_location = nullptr;
    QDateTimeEdit* m_start = nullptr;
    QDateTimeEdit* m_finish = nullptr;
    QCheckBox* m_allDay = nullptr;
    QComboBox* m_label = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QCheckBox* m_reminder = nullptr;
    QComboBox* m_reminderMinutes = nullptr;
    QPushButton* m_recurrenceButton = nullptr;
    QLabel* m_recurrenceText = nullptr;
    QString m_recurrence;
};
