#pragma once

#include "organizer/RecurrenceRule.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// Edits how an event repeats: daily, weekly on chosen weekdays, monthly or
// yearly by day of month or nth weekday, ending never, after a number of
// occurrences or by a date. "Remove Recurrence" makes the event single.
class RecurrenceDialog : public QDialog
{
    Q_OBJECT
public:
    RecurrenceDialog(const RecurrenceRule& rule, bool canRemove, QWidget* parent = nullptr);
    RecurrenceRule rule() const;
    // True when the user chose "Remove Recurrence".
    bool removed() const { return m_removed; }

private:
    void showFrequency();

    QButtonGroup* m_frequency = nullptr;
    QStackedWidget* m_pages = nullptr;
    QSpinBox* m_interval = nullptr;
    QCheckBox* m_weekdays[7] = {};
    QRadioButton* m_byDay = nullptr;
    QRadioButton* m_byWeekday = nullptr;
    QSpinBox* m_dayOfMonth = nullptr;
    QComboBox* m_nth = nullptr;
    QComboBox* m_weekday = nullptr;
    QComboBox* m_month = nullptr;
    QButtonGroup* m_end = nullptr;
    QSpinBox* m_count = nullptr;
    QDateEdit* m_until = nullptr;
    bool m_removed = false;
};
