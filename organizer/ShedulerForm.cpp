#include "organizer/ShedulerForm.h"

#include "app/LFGlobals.h"
#include "organizer/CalendarView.h"
#include "organizer/OrgPanelController.h"
#include "organizer/OrganizerLog.h"
#include "organizer/ReminderMonitor.h"
#include "organizer/SchedulerControl.h"
#include "platform/Clock.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

struct ViewButton
{
    const char* caption;
    const char* action;
    int tag;
    int left;
    int width;
};

// Left to right as the top bar shows them.
constexpr ViewButton kViewButtons[] = {
    {"TimeGrid View", "acTimeGridView", 4, 6, 99},
    {"Day View", "acDayView", 0, 111, 75},
    {"Week View", "acWeekView", 2, 192, 87},
    {"Work Week View", "acWorkWeekView", 1, 285, 118},
    {"Month View", "acMonthView", 3, 409, 88},
    {"Year View", "acYearView", 5, 503, 75},
};

constexpr int kUpdateIntervalMs = 50;

} // namespace

ShedulerForm::ShedulerForm(const LFGlobals& globals, SidebarServices& services, QWidget* orgPanel,
                           const Clock* clock, QWidget* parent)
    : QWidget(parent, Qt::Window), m_globals(globals), m_services(services),
      m_ownClock(clock ? nullptr : std::make_unique<Clock>()), m_clock(clock ? *clock : *m_ownClock)
{
    setObjectName(QStringLiteral("ShedulerForm"));
    setWindowTitle(QStringLiteral("Reminder"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildTopBar();
    m_scheduler = new SchedulerControl(m_clock, this);
    layout->addWidget(m_scheduler, 1);
    buildBottomBar();

    m_updateVCL = new QAction(QStringLiteral("UpdateVCL"), this);
    m_updateVCL->setObjectName(QStringLiteral("UpdateVCL"));
    connect(m_updateVCL, &QAction::triggered, this, &ShedulerForm::UpdateVCLExecute);
    connect(m_scheduler, &SchedulerControl::eventsChanged, this,
            &ShedulerForm::DBStorageEventInserted);

    m_reminders = new ReminderMonitor(m_clock, this);
    connect(m_reminders, &ReminderMonitor::openRequested, this,
            [this](const QDateTime& start) { showAt(start); });

    resize(722, 476);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    if (orgPanel)
        m_panel = new OrgPanelController(orgPanel, *this, m_globals, m_services, m_clock);
    FormCreate();
}

ShedulerForm::~ShedulerForm()
{
    // The panel calls back into this window; it must not outlive it.
    delete m_panel;
}

void ShedulerForm::buildTopBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("TopBar"));
    bar->setFixedHeight(33);
    auto* actions = new QObject(this);
    actions->setObjectName(QStringLiteral("SchedulerActions"));
    for (const ViewButton& view : kViewButtons) {
        auto* action = new QAction(QString::fromLatin1(view.caption), actions);
        action->setObjectName(QString::fromLatin1(view.action));
        action->setData(view.tag);
        connect(action, &QAction::triggered, this, [this, action] { acViewTypeExecute(action); });
        auto* button = new QPushButton(action->text(), bar);
        button->setObjectName(QString::fromLatin1(view.action).mid(2) + QStringLiteral("Button"));
        button->setGeometry(view.left, 5, view.width, 23);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(bar);
}

void ShedulerForm::buildBottomBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("BottomBar"));
    bar->setFixedHeight(40);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 5, 6, 5);
    auto* close = new QPushButton(QStringLiteral("Close"), bar);
    close->setObjectName(QStringLiteral("CloseForm"));
    close->setFixedSize(70, 28);
    connect(close, &QPushButton::clicked, this, &ShedulerForm::CloseFormClick);
    auto* refresh = new QPushButton(QStringLiteral("Refresh"), bar);
    refresh->setObjectName(QStringLiteral("TotalRefresh"));
    refresh->setFixedSize(71, 28);
    connect(refresh, &QPushButton::clicked, this, &ShedulerForm::TotalRefreshClick);
    row->addWidget(close);
    row->addStretch();
    row->addWidget(refresh);
    static_cast<QVBoxLayout*>(layout())->addWidget(bar);
}

void ShedulerForm::FormCreate()
{
    if (m_panel)
        m_panel->enableLoad();
}

OrgPanelController* ShedulerForm::panel() const
{
    return m_panel;
}

QDate ShedulerForm::currentDate() const
{
    return m_scheduler->viewState().date;
}

QString ShedulerForm::databasePath() const
{
    return m_globals.ProgramFolder + QStringLiteral("Organaizer.db");
}

void ShedulerForm::openDatabase()
{
    m_scheduler->setStore(nullptr);
    m_reminders->setStore(nullptr);
    m_store.reset();
    m_store.emplace(EventStore::openFile(databasePath()));
    qCInfo(lcOrganizer).noquote() << "opened" << databasePath();
}

const UpcomingSource* ShedulerForm::upcomingSource() const
{
    return m_store ? &*m_store : nullptr;
}

void ShedulerForm::rebindStorage(bool reminderEnable)
{
    m_scheduler->setStore(store());
    m_reminders->setStore(store());
    m_reminders->setUseReminderWindow(reminderEnable);
}

void ShedulerForm::showAt(const QDateTime& date)
{
    m_scheduler->GoToDate(date.date());
    const QDateTime slot(date.date(), QTime(date.time().hour(), date.time().minute() / 30 * 30));
    m_scheduler->setSelection(slot, slot.addSecs(30 * 60));
    // Modal without a nested event loop: nothing waits for it to close.
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void ShedulerForm::acViewTypeExecute(QAction* sender)
{
    m_scheduler->setViewState(applyViewAction(sender->data().toInt(), m_scheduler->viewState(),
                                              m_scheduler->selectionAnchor(),
                                              m_scheduler->selectionEnd()));
}

void ShedulerForm::CloseFormClick()
{
    close();
}

void ShedulerForm::TotalRefreshClick()
{
    m_scheduler->updateGeometry();
    m_scheduler->update();
    if (auto* view = m_scheduler->activeView())
        view->refreshView();
}

void ShedulerForm::DBStorageEventInserted()
{
    m_updateVCL->trigger();
}

void ShedulerForm::UpdateVCLExecute()
{
    if (m_panel)
        m_panel->rearm(kUpdateIntervalMs);
    m_reminders->check();
}
