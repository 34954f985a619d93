#include "organizer/RecurrenceDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

RecurrenceDialog::RecurrenceDialog(const RecurrenceRule& rule, bool canRemove, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RecurrenceDialog"));
    setWindowTitle(tr("Event Recurrence"));
    const QLocale locale;
    auto* layout = new QVBoxLayout(this);

    auto* patternBox = new QGroupBox(tr("Recurrence pattern"), this);
    auto* patternLayout = new QHBoxLayout(patternBox);
    auto* frequencies = new QVBoxLayout;
    m_frequency = new QButtonGroup(this);
    const char* names[] = {"Daily", "Weekly", "Monthly", "Yearly"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(tr(names[i]), patternBox);
        button->setObjectName(QString::fromLatin1(names[i]) + QStringLiteral("Radio"));
        m_frequency->addButton(button, i);
        frequencies->addWidget(button);
    }
    frequencies->addStretch();
    patternLayout->addLayout(frequencies);

    auto* details = new QVBoxLayout;
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(new QLabel(tr("Every"), patternBox));
    m_interval = new QSpinBox(patternBox);
    m_interval->setObjectName(QStringLiteral("IntervalSpin"));
    m_interval->setRange(1, 999);
    intervalRow->addWidget(m_interval);
    auto* unit = new QLabel(patternBox);
    intervalRow->addWidget(unit);
    intervalRow->addStretch();
    details->addLayout(intervalRow);

    m_pages = new QStackedWidget(patternBox);
    m_pages->addWidget(new QWidget(m_pages)); // daily: nothing more
    auto* weekly = new QWidget(m_pages);
    auto* weekGrid = new QHBoxLayout(weekly);
    weekGrid->setContentsMargins(0, 0, 0, 0);
    for (int day = 1; day <= 7; ++day) {
        m_weekdays[day - 1] = new QCheckBox(locale.dayName(day, QLocale::ShortFormat), weekly);
        m_weekdays[day - 1]->setObjectName(QStringLiteral("Weekday%1").arg(day));
        weekGrid->addWidget(m_weekdays[day - 1]);
    }
    m_pages->addWidget(weekly);
    auto* monthly = new QWidget(m_pages);
    auto* monthForm = new QVBoxLayout(monthly);
    monthForm->setContentsMargins(0, 0, 0, 0);
    auto* byDayRow = new QHBoxLayout;
    m_byDay = new QRadioButton(tr("Day"), monthly);
    m_byDay->setObjectName(QStringLiteral("ByDayRadio"));
    m_dayOfMonth = new QSpinBox(monthly);
    m_dayOfMonth->setRange(1, 31);
    m_month = new QComboBox(monthly);
    m_month->setObjectName(QStringLiteral("MonthCombo"));
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(locale.monthName(month), month);
    byDayRow->addWidget(m_byDay);
    byDayRow->addWidget(m_dayOfMonth);
    byDayRow->addWidget(m_month);
    byDayRow->addStretch();
    auto* byWeekdayRow = new QHBoxLayout;
    m_byWeekday = new QRadioButton(tr("The"), monthly);
    m_byWeekday->setObjectName(QStringLiteral("ByWeekdayRadio"));
    m_nth = new QComboBox(monthly);
    m_nth->setObjectName(QStringLiteral("NthCombo"));
    for (const auto& [text, value] :
         {std::pair{"first", 1}, std::pair{"second", 2}, std::pair{"third", 3},
          std::pair{"fourth", 4}, std::pair{"last", -1}})
        m_nth->addItem(tr(text), value);
    m_weekday = new QComboBox(monthly);
    m_weekday->setObjectName(QStringLiteral("WeekdayCombo"));
    for (int day = 1; day <= 7; ++day)
        m_weekday->addItem(locale.dayName(day), day);
    byWeekdayRow->addWidget(m_byWeekday);
    byWeekdayRow->addWidget(m_nth);
    byWeekdayRow->addWidget(m_weekday);
    byWeekdayRow->addStretch();
    monthForm->addLayout(byDayRow);
    monthForm->addLayout(byWeekdayRow);
    m_pages->addWidget(monthly);
    details->addWidget(m_pages);
    details->addStretch();
    patternLayout->addLayout(details, 1);
    layout->addWidget(patternBox);

    auto* rangeBox = new QGroupBox(tr("Range of recurrence"), this);
    auto* rangeLayout = new QVBoxLayout(rangeBox);
    m_end = new QButtonGroup(this);
    auto* never = new QRadioButton(tr("No end date"), rangeBox);
    never->setObjectName(QStringLiteral("NoEndRadio"));
    auto* afterRow = new QHBoxLayout;
    auto* after = new QRadioButton(tr("End after"), rangeBox);
    after->setObjectName(QStringLiteral("EndAfterRadio"));
    m_count = new QSpinBox(rangeBox);
    m_count->setObjectName(QStringLiteral("CountSpin"));
    m_count->setRange(1, 9999);
    afterRow->addWidget(after);
    afterRow->addWidget(m_count);
    afterRow->addWidget(new QLabel(tr("occurrences"), rangeBox));
    afterRow->addStretch();
    auto* byRow = new QHBoxLayout;
    auto* by = new QRadioButton(tr("End by"), rangeBox);
    by->setObjectName(QStringLiteral("EndByRadio"));
    m_until = new QDateEdit(rangeBox);
    m_until->setObjectName(QStringLiteral("UntilEdit"));
    m_until->setCalendarPopup(true);
    m_until->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    byRow->addWidget(by);
    byRow->addWidget(m_until);
    byRow->addStretch();
    m_end->addButton(never, 0);
    m_end->addButton(after, 1);
    m_end->addButton(by, 2);
    rangeLayout->addWidget(never);
    rangeLayout->addLayout(afterRow);
    rangeLayout->addLayout(byRow);
    layout->addWidget(rangeBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("RecurrenceOk"));
    if (canRemove) {
        QPushButton* remove =
            buttons->addButton(tr("Remove Recurrence"), QDialogButtonBox::DestructiveRole);
        remove->setObjectName(QStringLiteral("RemoveRecurrence"));
        connect(remove, &QPushButton::clicked, this, [this] {
            m_removed = true;
            accept();
        });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const auto updateUnit = [this, unit] {
        const char* units[] = {"day(s)", "week(s)", "month(s)", "year(s)"};
        unit->setText(tr(units[std::max(0, m_frequency->checkedId())]));
        showFrequency();
    };
    connect(m_frequency, &QButtonGroup::idClicked, this, updateUnit);

    m_frequency->button(static_cast<int>(rule.frequency))->setChecked(true);
    m_interval->setValue(rule.interval);
    for (int i = 0; i < 7; ++i)
        m_weekdays[i]->setChecked(rule.weekdays & (1 << i));
    (rule.monthlyBy == RecurrenceRule::MonthlyBy::DayOfMonth ? m_byDay : m_byWeekday)
        ->setChecked(true);
    m_dayOfMonth->setValue(rule.dayOfMonth);
    m_nth->setCurrentIndex(std::max(0, m_nth->findData(rule.nth)));
    m_weekday->setCurrentIndex(std::clamp(rule.weekday, 1, 7) - 1);
    m_month->setCurrentIndex(std::clamp(rule.month, 1, 12) - 1);
    m_end->button(static_cast<int>(rule.end))->setChecked(true);
    m_count->setValue(rule.count);
    m_until->setDate(rule.until.isValid() ? rule.until : QDate::currentDate().addMonths(3));
    updateUnit();
}

void RecurrenceDialog::showFrequency()
{
    const int frequency = m_frequency->checkedId();
    m_pages->setCurrentIndex(std::min(frequency, 2));
    m_month->setVisible(frequency == 3);
}

RecurrenceRule RecurrenceDialog::rule() const
{
    RecurrenceRule rule;
    rule.frequency = static_cast<RecurrenceRule::Frequency>(std::max(0, m_frequency->checkedId()));
    rule.interval = m_interval->value();
    rule.weekdays = 0;
    for (int i = 0; i < 7; ++i)
        if (m_weekdays[i]->isChecked())
            rule.weekdays |= 1 << i;
    rule.monthlyBy = m_byDay->isChecked() ? RecurrenceRule::MonthlyBy::DayOfMonth
                                          : RecurrenceRule::MonthlyBy::NthWeekday;
    rule.dayOfMonth = m_dayOfMonth->value();
    rule.nth = m_nth->currentData().toInt();
    rule.weekday = m_weekday->currentData().toInt();
    rule.month = m_month->currentData().toInt();
    rule.end = static_cast<RecurrenceRule::End>(std::max(0, m_end->checkedId()));
    rule.count = m_count->value();
    rule.until = m_until->date();
    return rule;
}
