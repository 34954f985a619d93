#include "organizer/ReminderForm.h"

#include "organizer/ReminderMonitor.h"
#include "organizer/Reminders.h"
#include "platform/Clock.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString spanText(qint64 secs)
{
    const qint64 minutes = secs / 60;
    if (minutes < 60)
        return countText(minutes, "minute", "minutes");
    if (minutes < 24 * 60)
        return countText((minutes + 30) / 60, "hour", "hours");
    return countText((minutes + 12 * 60) / (24 * 60), "day", "days");
}

} // namespace

ReminderForm::ReminderForm(ReminderMonitor& monitor, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_monitor(monitor), m_clock(clock)
{
    setObjectName(QStringLiteral("ReminderForm"));
    setWindowTitle(tr("Reminders"));
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("ReminderHeading"));
    m_heading->setWordWrap(true);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ReminderList"));
    m_list->setHeaderLabels({tr("Subject"), tr("Due in"), tr("Start")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list, 1);

    auto* actions = new QHBoxLayout;
    m_dismissAll = new QPushButton(tr("Dismiss &All"), this);
    m_dismissAll->setObjectName(QStringLiteral("DismissAll"));
    m_open = new QPushButton(tr("&Open Item"), this);
    m_open->setObjectName(QStringLiteral("OpenItem"));
    m_dismiss = new QPushButton(tr("&Dismiss"), this);
    m_dismiss->setObjectName(QStringLiteral("Dismiss"));
    actions->addWidget(m_dismissAll);
    actions->addStretch();
    actions->addWidget(m_open);
    actions->addWidget(m_dismiss);
    layout->addLayout(actions);

    auto* snoozeRow = new QHBoxLayout;
    auto* snoozeLabel = new QLabel(tr("Click Snooze to be reminded again in:"), this);
    snoozeRow->addWidget(snoozeLabel);
    m_snoozeTime = new QComboBox(this);
    m_snoozeTime->setObjectName(QStringLiteral("SnoozeTime"));
    m_snoozeTime->setAccessibleName(snoozeLabel->text());
    m_snoozeTime->addItem(tr("5 minutes"), 5);
    m_snoozeTime->addItem(tr("10 minutes"), 10);
    m_snoozeTime->addItem(tr("15 minutes"), 15);
    m_snoozeTime->addItem(tr("1 hour"), 60);
    snoozeRow->addWidget(m_snoozeTime, 1);
    m_snooze = new QPushButton(tr("&Snooze"), this);
    m_snooze->setObjectName(QStringLiteral("Snooze"));
    snoozeRow->addWidget(m_snooze);
    layout->addLayout(snoozeRow);

    connect(m_dismissAll, &QPushButton::clicked, this, [this] { m_monitor.dismissAll(); });
    connect(m_dismiss, &QPushButton::clicked, this, [this] {
        for (qint64 id : selectedIds())
            m_monitor.dismiss(id);
    });
    connect(m_snooze, &QPushButton::clicked, this,
            [this] { m_monitor.snooze(selectedIds(), m_snoozeTime->currentData().toInt()); });
    connect(m_open, &QPushButton::clicked, this, [this] {
        const QList<qint64> ids = selectedIds();
        if (!ids.isEmpty())
            m_monitor.open(ids.first());
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_monitor.open(item->data(0, Qt::UserRole).toLongLong());
    });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &ReminderForm::updateButtons);
    resize(440, 260);
}

void ReminderForm::setReminders(const std::vector<CalendarEvent>& due)
{
    QList<qint64> keep = selectedIds();
    m_list->clear();
    const QDateTime now = m_clock.now();
    const QLocale locale;
    for (const CalendarEvent& row : due) {
        const QDateTime start = Reminders::occurrenceStart(row);
        const qint64 secs = now.secsTo(start);
        const QString dueIn = secs > 60     ? spanText(secs)
                              : secs >= -60 ? tr("Now")
                                            : tr("%1 overdue").arg(spanText(-secs));
        auto* item = new QTreeWidgetItem(
            m_list, {row.caption.isEmpty() ? tr("(No subject)") : row.caption, dueIn,
                     locale.toString(start, QStringLiteral("ddd d MMM HH:mm"))});
        item->setData(0, Qt::UserRole, row.id);
        item->setToolTip(0, row.message);
        if (keep.contains(row.id) || (keep.isEmpty() && m_list->topLevelItemCount() == 1))
            item->setSelected(true);
    }
    for (int column = 1; column < 3; ++column)
        m_list->resizeColumnToContents(column);
    if (due.size() == 1) {
        const CalendarEvent& row = due.front();
        m_heading->setText(row.caption + QStringLiteral("\n") +
                           tr("Start: %1")
                               .arg(locale.toString(Reminders::occurrenceStart(row),
                                                    QStringLiteral("dddd, d MMMM yyyy HH:mm"))));
        setWindowTitle(tr("1 Reminder"));
    } else {
        m_heading->setText(countText(qint64(due.size()), "reminder", "reminders") + tr(" due"));
        setWindowTitle(countText(qint64(due.size()), "Reminder", "Reminders"));
    }
    updateButtons();
}

QList<qint64> ReminderForm::selectedIds() const
{
    QList<qint64> ids;
    for (QTreeWidgetItem* item : m_list->selectedItems())
        ids << item->data(0, Qt::UserRole).toLongLong();
    return ids;
}

void ReminderForm::updateButtons()
{
    const bool any = !m_list->selectedItems().isEmpty();
    m_dismiss->setEnabled(any);
    m_open->setEnabled(any);
    m_snooze->setEnabled(any);
    m_dismissAll->setEnabled(m_list->topLevelItemCount() > 0);
}
