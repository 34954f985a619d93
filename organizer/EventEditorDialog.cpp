#include "organizer/EventEditorDialog.h"

#include "organizer/CalendarPalette.h"
#include "organizer/RecurrenceDialog.h"
#include "organizer/RecurrenceRule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QIcon swatch(int color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(color == 0 ? Qt::white : QColor::fromRgb(QRgb(color)));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

const int kReminderChoices[] = {0, 5, 10, 15, 30, 60, 120, 240, 720, 1440, 2880, 10080};

QString minutesText(int minutes)
{
    if (minutes > 0 && minutes % 10080 == 0)
        return countText(minutes / 10080, "week", "weeks");
    if (minutes > 0 && minutes % 1440 == 0)
        return countText(minutes / 1440, "day", "days");
    if (minutes > 0 && minutes % 60 == 0)
        return countText(minutes / 60, "hour", "hours");
    return countText(minutes, "minute", "minutes");
}

} // namespace

EventEditorDialog::EventEditorDialog(const CalendarEvent& event, bool recurrenceEditable,
                                     QWidget* parent)
    : QDialog(parent), m_event(event), m_recurrence(event.recurrenceInfo)
{
    setObjectName(QStringLiteral("EventEditorDialog"));
    setWindowTitle(event.caption.isEmpty() ? tr("Untitled - Event")
                                           : event.caption + tr(" - Event"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;

    m_subject = new QLineEdit(event.caption, this);
    m_subject->setObjectName(QStringLiteral("SubjectEdit"));
    form->addRow(tr("&Subject:"), m_subject);
    m_location = new QLineEdit(event.location, this);
    m_location->setObjectName(QStringLiteral("LocationEdit"));
    auto* locationRow = new QHBoxLayout;
    locationRow->addWidget(m_location, 1);
    auto* labelLabel = new QLabel(tr("La&bel:"), this);
    locationRow->addWidget(labelLabel);
    m_label = new QComboBox(this);
    labelLabel->setBuddy(m_label);
    m_label->setObjectName(QStringLiteral("LabelCombo"));
    for (const auto& [name, color] : CalendarPalette::labelColors())
        m_label->addItem(swatch(color), name, color);
    if (m_label->findData(event.labelColor) < 0)
        m_label->addItem(swatch(event.labelColor), tr("Custom"), event.labelColor);
    m_label->setCurrentIndex(m_label->findData(event.labelColor));
    locationRow->addWidget(m_label);
    auto* locationLabel = new QLabel(tr("&Location:"), this);
    locationLabel->setBuddy(m_location);
    form->addRow(locationLabel, locationRow);

    const QString format = QStringLiteral("dd.MM.yyyy HH:mm");
    m_start = new QDateTimeEdit(event.start, this);
    m_start->setObjectName(QStringLiteral("StartEdit"));
    m_start->setDisplayFormat(format);
    m_start->setCalendarPopup(true);
    m_finish = new QDateTimeEdit(event.allDay() ? event.finish.addDays(-1) : event.finish, this);
    m_finish->setObjectName(QStringLiteral("FinishEdit"));
    m_finish->setDisplayFormat(format);
    m_finish->setCalendarPopup(true);
    m_allDay = new QCheckBox(tr("&All day event"), this);
    m_allDay->setObjectName(QStringLiteral("AllDayCheck"));
    m_allDay->setChecked(event.allDay());
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(m_start);
    startRow->addWidget(m_allDay);
    startRow->addStretch();
    auto* startLabel = new QLabel(tr("S&tart time:"), this);
    startLabel->setBuddy(m_start);
    form->addRow(startLabel, startRow);
    form->addRow(tr("&End time:"), m_finish);

    auto* reminderRow = new QHBoxLayout;
    m_reminder = new QCheckBox(tr("&Reminder:"), this);
    m_reminder->setObjectName(QStringLiteral("ReminderCheck"));
    m_reminder->setChecked(event.reminderOn());
    m_reminderMinutes = new QComboBox(this);
    m_reminderMinutes->setObjectName(QStringLiteral("ReminderMinutes"));
    for (int minutes : kReminderChoices)
        m_reminderMinutes->addItem(minutesText(minutes), minutes);
    if (m_reminderMinutes->findData(event.reminderMinutes) < 0)
        m_reminderMinutes->addItem(minutesText(event.reminderMinutes), event.reminderMinutes);
    m_reminderMinutes->setCurrentIndex(m_reminderMinutes->findData(event.reminderMinutes));
    m_reminderMinutes->setEnabled(event.reminderOn());
    reminderRow->addWidget(m_reminder);
    reminderRow->addWidget(m_reminderMinutes);
    reminderRow->addWidget(new QLabel(tr("before start"), this));
    reminderRow->addStretch();
    form->addRow(QString(), reminderRow);

    auto* recurrenceRow = new QHBoxLayout;
    m_recurrenceButton = new QPushButton(tr("Re&currence..."), this);
    m_recurrenceButton->setObjectName(QStringLiteral("RecurrenceButton"));
    m_recurrenceButton->setEnabled(recurrenceEditable);
    m_recurrenceText = new QLabel(this);
    m_recurrenceText->setObjectName(QStringLiteral("RecurrenceText"));
    recurrenceRow->addWidget(m_recurrenceButton);
    recurrenceRow->addWidget(m_recurrenceText, 1);
    form->addRow(QString(), recurrenceRow);
    layout->addLayout(form);

    m_description = new QPlainTextEdit(event.message, this);
    m_description->setObjectName(QStringLiteral("DescriptionEdit"));
    m_description->setAccessibleName(tr("Description"));
    layout->addWidget(m_description, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("EventOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_durationSecs = event.start.secsTo(event.finish);
    // Moving the start keeps the length; a finish before the start is moved along.
    connect(m_start, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& start) {
        const QSignalBlocker block(m_finish);
        m_finish->setDateTime(start.addSecs(
            m_allDay->isChecked() ? std::max<qint64>(0, m_durationSecs - 86400) : m_durationSecs));
    });
    connect(m_finish, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& finish) {
        if (finish < m_start->dateTime()) {
            const QSignalBlocker block(m_finish);
            m_finish->setDateTime(m_start->dateTime());
        }
        m_durationSecs =
            m_start->dateTime().secsTo(m_finish->dateTime()) + (m_allDay->isChecked() ? 86400 : 0);
    });
    connect(m_allDay, &QCheckBox::toggled, this, &EventEditorDialog::updateAllDay);
    connect(m_reminder, &QCheckBox::toggled, m_reminderMinutes, &QWidget::setEnabled);
    connect(m_recurrenceButton, &QPushButton::clicked, this,
            [this] { editRecurrence([](QDialog& dialog) { return dialog.exec(); }); });
    updateAllDay();
    updateRecurrenceText();
    resize(520, 420);
}

void EventEditorDialog::updateAllDay()
{
    const QString format =
        m_allDay->isChecked() ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("dd.MM.yyyy HH:mm");
    m_start->setDisplayFormat(format);
    m_finish->setDisplayFormat(format);
}

void EventEditorDialog::updateRecurrenceText()
{
    const auto rule = RecurrenceRule::fromRRule(m_recurrence);
    m_recurrenceText->setText(m_recurrence.isEmpty() ? tr("Does not repeat")
                              : rule                 ? rule->describe()
                                                     : m_recurrence);
}

void EventEditorDialog::editRecurrence(const std::function<int(QDialog&)>& runner)
{
    const auto current = RecurrenceRule::fromRRule(m_recurrence);
    RecurrenceDialog dialog(current ? *current : RecurrenceRule::defaultFor(m_start->dateTime()),
                            !m_recurrence.isEmpty(), this);
    if (runner(dialog) != QDialog::Accepted)
        return;
    m_recurrence = dialog.removed() ? QString() : dialog.rule().toRRule();
    updateRecurrenceText();
}

CalendarEvent EventEditorDialog::event() const
{
    CalendarEvent event = m_event;
    event.caption = m_subject->text();
    event.location = m_location->text();
    event.message = m_description->toPlainText();
    event.labelColor = m_label->currentData().toInt();
    event.setOption(EventOption::AllDay, m_allDay->isChecked());
    event.setOption(EventOption::ReminderOn, m_reminder->isChecked());
    event.reminderMinutes = m_reminderMinutes->currentData().toInt();
    event.recurrenceInfo = m_recurrence;
    if (m_allDay->isChecked()) {
        // All-day events run from midnight to the midnight after their last day.
        event.start = QDateTime(m_start->date(), QTime(0, 0));
        event.finish =
            QDateTime(std::max(m_finish->date(), m_start->date()).addDays(1), QTime(0, 0));
    } else {
        event.start = m_start->dateTime();
        event.finish = std::max(m_finish->dateTime(), event.start);
    }
    return event;
}
