#include "shell/MainForm.h"

#include "app/LFGlobals.h"
#include "app/SettingsStore.h"
#include "feeds/AdvertFeed.h"
#include "feeds/NewsFeed.h"
#include "feeds/WeatherFeed.h"
#include "platform/Clock.h"
#include "platform/Notifier.h"
#include "platform/ScreenEdgeDock.h"
#include "platform/SystemInfo.h"
#include "platform/UrlOpener.h"
#include "search/BD.h"
#include "search/ResultsService.h"
#include "search/SearchBox.h"
#include "shell/Artwork.h"
#include "shell/ClickableImage.h"
#include "shell/ShellLog.h"
#include "shell/SidebarPanel.h"
#include "shell/UrlEncoding.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <utility>

namespace {

// Heights of the panels' background pictures, which the panels take on.
constexpr int kTitleHeight = 34;
constexpr int kClockHeight = 77;
constexpr int kWeatherHeight = 86;
constexpr int kSearchHeight = 52;
constexpr int kNewsHeight = 103;
constexpr int kOrgHeight = 133;
constexpr int kAdHeight = 114;
constexpr int kNodeHeight = 108;
constexpr int kPicHeight = 158;

// The first-run rule hides the adverts on screens at most this high.
constexpr int kSmallScreenHeight = 800;

QAction* makeCheckItem(QMenu* menu, const QString& name, const QString& text)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    item->setCheckable(true);
    return item;
}

} // namespace

MainForm::MainForm(LFGlobals& globals, const SystemInfo& system, QString settingsPath,
                   ShellPlatform platform, QWidget* parent)
    : QWidget(parent), m_globals(globals), m_system(system), m_settingsPath(std::move(settingsPath))
{
    if (!platform.dock)
        platform.dock = (m_ownDock = std::make_unique<X11ScreenEdgeDock>()).get();
    if (!platform.notifier)
        platform.notifier = (m_ownNotifier = std::make_unique<FreedesktopNotifier>()).get();
    if (!platform.opener)
        platform.opener = (m_ownOpener = std::make_unique<DesktopUrlOpener>()).get();
    if (!platform.clock)
        platform.clock = (m_ownClock = std::make_unique<Clock>()).get();
    m_dock = platform.dock;
    m_resultsPort = platform.resultsPort;
    m_notifier = platform.notifier;
    m_opener = platform.opener;
    m_clock = platform.clock;

    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lanternfly Desktop"));
    // A tool window has no taskbar button; the tray icon is the way in.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedWidth(kWidth);
    // Created transparent; the show handler makes it opaque once it is in place.
    setWindowOpacity(0.0);

    buildActions();
    buildTrayMenu();
    // The window follows the screen. The column of panels is at least as tall as
    // the panels need, so on a short screen the lowest ones are cut off instead
    // of being squeezed or the window growing past the screen's edge.
    m_column = new QWidget(this);
    m_column->setObjectName(QStringLiteral("PanelColumn"));
    m_column->installEventFilter(this);
    m_stack = new QVBoxLayout(m_column);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->setSpacing(0);
    buildTitleStrip();
    buildPanels();

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("ClockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainForm::ClockTimerTimer);
    m_clockTimer->start();

    m_appBarTimer = new QTimer(this);
    m_appBarTimer->setObjectName(QStringLiteral("AppBarTimer"));
    m_appBarTimer->setSingleShot(true);
    m_appBarTimer->setInterval(500);
    connect(m_appBarTimer, &QTimer::timeout, this, &MainForm::AppBarTimerTimer);
    m_appBarTimer->start();
    m_allignCheckTimer = new QTimer(this);
    m_allignCheckTimer->setObjectName(QStringLiteral("AllignCheckTimer"));
    m_allignCheckTimer->setInterval(1000);
    connect(m_allignCheckTimer, &QTimer::timeout, this, &MainForm::AllignCheckTimerTimer);
    m_allignCheckTimer->start();

    // The dock type and the taskbar and pager exclusions only take before the first show.
    winId();
    m_dock->prepare(this);
    if (!m_dock->available()) {
        qCInfo(lcShell) << "no X11 session: the sidebar cannot reserve screen space and floats";
        // Without the window manager's state the toolkit keeps it on top.
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::availableGeometryChanged, this, [this] {
            if (!m_docked && isVisible())
                alignToWorkArea();
        });

    buildTrayIcon();
    FormCreate();
}

void MainForm::buildTrayIcon()
{
    m_trayIcon = new QSystemTrayIcon(Artwork::trayIcon(), this);
    m_trayIcon->setObjectName(QStringLiteral("TrayIcon1"));
    m_trayIcon->setToolTip(QStringLiteral("Lanternfly"));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    ShowApp();
            });
    m_trayIcon->show();
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCInfo(lcShell) << "no system tray: the title strip's menu offers every command";
}

MainForm::~MainForm() = default;

void MainForm::buildActions()
{
    const auto addAction = [this](const char* name, void (MainForm::*slot)()) {
        auto* action = new QAction(QString::fromLatin1(name), this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addAction("CloseApp", &MainForm::CloseApp);
    addAction("ShowApp", &MainForm::ShowApp);
    addAction("HideApp", &MainForm::HideApp);
    addAction("DrawItems", &MainForm::DrawItems);
}

void MainForm::buildTrayMenu()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("TrayMenu"));
    QAction* show =
        m_trayMenu->addAction(QStringLiteral("Show Lanternfly"), this, &MainForm::ShowApp);
    show->setObjectName(QStringLiteral("N2"));
    QAction* hide = m_trayMenu->addAction(QStringLiteral("Hide"), this, &MainForm::HideApp);
    hide->setObjectName(QStringLiteral("Hide1"));
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("N4"));
    m_clockCheck = makeCheckItem(m_trayMenu, QStringLiteral("ClockCheck"), QStringLiteral("Clock"));
    m_weatherCheck =
        makeCheckItem(m_trayMenu, QStringLiteral("WeatherCheck"), QStringLiteral("Weather"));
    m_newsCheck = makeCheckItem(m_trayMenu, QStringLiteral("NewsCheck"), QStringLiteral("News"));
    m_adCheck = makeCheckItem(m_trayMenu, QStringLiteral("AdCheck"), QStringLiteral("Advertizing"));
    // QAction toggles the check mark before triggered(), so the panels follow the new state.
    for (QAction* item : {m_clockCheck, m_weatherCheck, m_newsCheck, m_adCheck})
        connect(item, &QAction::triggered, this, &MainForm::DrawItems);
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("N7"));
    QAction* settings =
        m_trayMenu->addAction(QStringLiteral("Settings"), this, &MainForm::settingsRequested);
    settings->setObjectName(QStringLiteral("Settings1"));
    settings->setIcon(Artwork::menuIcon(Artwork::MenuIcon::Settings));
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("N3"));
    QAction* exit = m_trayMenu->addAction(QStringLiteral("Exit"), this, &MainForm::CloseApp);
    exit->setObjectName(QStringLiteral("N1"));
    exit->setIcon(Artwork::menuIcon(Artwork::MenuIcon::Exit));
}

void MainForm::buildTitleStrip()
{
    auto* strip = addPanel(QStringLiteral("TopImage"), kTitleHeight);
    strip->setBackgroundRole(QPalette::NoRole);
    auto* title = addLabel(strip, QStringLiteral("TitleLabel"), QRect(10, 8, 140, 18),
                           QStringLiteral("Lanternfly Desktop"));
    title->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    strip->setContextMenu(m_trayMenu);

    const auto openTrayMenu = [this] {
        m_trayMenu->popup(QCursor::pos());
    };
    auto* add = new ClickableImage(QStringLiteral("AddImage"),
                                   Artwork::titleButton(Artwork::TitleButton::Add), strip);
    add->move(159, 5);
    connect(add, &ClickableImage::clicked, this, openTrayMenu);
    connect(add, &ClickableImage::rightClicked, this, openTrayMenu);
    auto* minimize =
        new ClickableImage(QStringLiteral("MinimizeImage"),
                           Artwork::titleButton(Artwork::TitleButton::Minimize), strip);
    minimize->move(176, 5);
    connect(minimize, &ClickableImage::clicked, this, &MainForm::HideApp);
    auto* close = new ClickableImage(QStringLiteral("CloseImage"),
                                     Artwork::titleButton(Artwork::TitleButton::Close), strip);
    close->move(192, 5);
    connect(close, &ClickableImage::clicked, this, &MainForm::HideApp);
}

SidebarPanel* MainForm::addPanel(const QString& name, int height)
{
    const QPixmap background =
        name == QLatin1String("TopImage")      ? Artwork::titleStrip(kWidth, height)
        : name == QLatin1String("SearchPanel") ? Artwork::searchPanelBackground(kWidth, height)
                                               : Artwork::panelBackground(kWidth, height);
    auto* panel = new SidebarPanel(name, background, this);
    m_stack->addWidget(panel);
    return panel;
}

QLabel* MainForm::addLabel(QWidget* panel, const QString& name, QRect geometry, const QString& text)
{
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

ClickableImage* MainForm::addCloseControl(SidebarPanel* panel, const QString& name, QPoint at,
                                          QAction* checkItem)
{
    auto* control = new ClickableImage(name, Artwork::closeControl(), panel);
    control->move(at);
    connect(control, &ClickableImage::clicked, this,
            [this, panel, checkItem] { hidePanel(panel, checkItem); });
    return control;
}

QMenu* MainForm::addOptionMenu(SidebarPanel* panel, const QString& menuName,
                               const QString& closeName, QAction* checkItem)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(menuName);
    QAction* close = menu->addAction(QStringLiteral("Close"), this,
                                     [this, panel, checkItem] { hidePanel(panel, checkItem); });
    close->setObjectName(closeName);
    close->setIcon(Artwork::menuIcon(Artwork::MenuIcon::Exit));
    panel->setContextMenu(menu);
    return menu;
}

void MainForm::hidePanel(QWidget* panel, QAction* checkItem)
{
    panel->hide();
    checkItem->setChecked(false);
}

void MainForm::buildPanels()
{
    m_clockPanel = addPanel(QStringLiteral("ClockPanel"), kClockHeight);
    m_timeLabel = addLabel(m_clockPanel, QStringLiteral("TimeLabel"), QRect(29, 21, 72, 36),
                           QStringLiteral("00:00"));
    m_timeLabel->setStyleSheet(QStringLiteral("color: rgb(47, 91, 162);"));
    QFont timeFont(QStringLiteral("Century Gothic"));
    timeFont.setPixelSize(29);
    timeFont.setBold(true);
    m_timeLabel->setFont(timeFont);
    QFont smallFont(QStringLiteral("FuturaFuturisC"));
    smallFont.setPixelSize(11);
    m_dayOfWeek = addLabel(m_clockPanel, QStringLiteral("DayOfWeek"), QRect(107, 29, 100, 13),
                           QStringLiteral("Saturday"));
    m_date = addLabel(m_clockPanel, QStringLiteral("LDate"), QRect(107, 40, 100, 13),
                      QStringLiteral("January 01 2007"));
    for (QLabel* label : {m_dayOfWeek, m_date}) {
        label->setFont(smallFont);
        label->setStyleSheet(QStringLiteral("color: rgb(87, 87, 87);"));
    }
    addCloseControl(m_clockPanel, QStringLiteral("CCloseImage"), QPoint(197, 3), m_clockCheck);

    m_weatherPanel = addPanel(QStringLiteral("WeatherPanel"), kWeatherHeight);
    addCloseControl(m_weatherPanel, QStringLiteral("WCloseImage"), QPoint(197, 3), m_weatherCheck);
    QMenu* weatherMenu = addOptionMenu(m_weatherPanel, QStringLiteral("WeatherOpt"),
                                       QStringLiteral("WClose"), m_weatherCheck);
    const ServiceAddresses feedServices = ServiceAddresses::fromSettingsFile(m_settingsPath);
    auto* weatherFeed =
        new WeatherFeed(m_globals, *this, feedServices, m_weatherPanel, weatherMenu, this);
    connect(weatherFeed, &FeedPanel::configureRequested, this,
            [this] { emit settingsTabRequested(QStringLiteral("WeatherTab")); });

    auto* searchPanel = addPanel(QStringLiteral("SearchPanel"), kSearchHeight);
    auto* searchEdit = new QLineEdit(searchPanel);
    searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    searchEdit->setAccessibleName(QStringLiteral("Search"));
    searchEdit->setGeometry(16, 13, 136, 19);
    searchEdit->setFrame(false);
    searchEdit->setStyleSheet(QStringLiteral("background: #E6E6E6; color: black;"));
    auto* searchMenu = new QMenu(this);
    searchMenu->setObjectName(QStringLiteral("SearchMenu"));
    m_desktopSearch = searchMenu->addAction(QStringLiteral("Desktop Search"));
    m_desktopSearch->setObjectName(QStringLiteral("DesktopSearch1"));
    m_desktopSearch->setIcon(Artwork::menuIcon(Artwork::MenuIcon::DesktopSearch));
    QAction* internetSearch = searchMenu->addAction(QStringLiteral("Internet Search"));
    internetSearch->setObjectName(QStringLiteral("InternetSearch1"));
    internetSearch->setIcon(Artwork::menuIcon(Artwork::MenuIcon::InternetSearch));
    new SearchBox(searchPanel, searchEdit, searchMenu, m_desktopSearch, internetSearch, this,
                  *this);

    m_newsPanel = addPanel(QStringLiteral("NewsPanel"), kNewsHeight);
    addCloseControl(m_newsPanel, QStringLiteral("NCloseImage"), QPoint(197, 1), m_newsCheck);
    QMenu* newsMenu = addOptionMenu(m_newsPanel, QStringLiteral("NewsOpt"),
                                    QStringLiteral("NClose"), m_newsCheck);
    auto* newsFeed = new NewsFeed(m_globals, *this, feedServices, m_newsPanel, newsMenu, this);
    connect(newsFeed, &FeedPanel::configureRequested, this,
            [this] { emit settingsTabRequested(QStringLiteral("NewsTab")); });

    auto* orgPanel = addPanel(QStringLiteral("OrgPanel"), kOrgHeight);
    addLabel(orgPanel, QStringLiteral("ORGLab1"), QRect(10, 20, 195, 30));
    addLabel(orgPanel, QStringLiteral("ORGLab2"), QRect(10, 55, 195, 30));
    addLabel(orgPanel, QStringLiteral("ORGLab3"), QRect(10, 90, 195, 30));

    m_adPanel = addPanel(QStringLiteral("AdPanel"), kAdHeight);
    addCloseControl(m_adPanel, QStringLiteral("Image1"), QPoint(190, 3), m_adCheck);
    QMenu* adMenu =
        addOptionMenu(m_adPanel, QStringLiteral("AdverOpt"), QStringLiteral("AClose"), m_adCheck);
    new AdvertFeed(m_globals, *this, feedServices, m_adPanel, adMenu, this);

    auto* nodePanel = addPanel(QStringLiteral("NodePanel"), kNodeHeight);
    m_nodeLabel = addLabel(nodePanel, QStringLiteral("NodeLabel"), QRect(15, 15, 183, 74));
    // The note is the user's text, never markup; what does not fit is cut off.
    m_nodeLabel->setTextFormat(Qt::PlainText);
    m_nodeLabel->setWordWrap(true);
    m_nodeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nodeLabel->setFont(QFont(QStringLiteral("Arial"), 8));
    m_nodeLabel->setForegroundRole(QPalette::WindowText);
    m_nodeLabel->setCursor(Qt::PointingHandCursor);

    auto* picPanel = addPanel(QStringLiteral("PicPanel"), kPicHeight);
    // The slideshow (pictures/) fills the picture box and the status label.
    auto* pictureBox = addLabel(picPanel, QStringLiteral("PIC"), QRect(34, 17, 150, 114));
    pictureBox->setAlignment(Qt::AlignCenter);
    pictureBox->setCursor(Qt::PointingHandCursor);
    pictureBox->setStyleSheet(QStringLiteral("background-color: rgb(48, 48, 48);"));
    // As wide as the picture box and two lines high, so the status is never cut off.
    auto* pictureStatus = addLabel(picPanel, QStringLiteral("PICLabel"), QRect(36, 60, 146, 30),
                                   QStringLiteral("Scaning My Pictures Folder..."));
    pictureStatus->setWordWrap(true);
    pictureStatus->setTextFormat(Qt::PlainText);
    pictureStatus->setAlignment(Qt::AlignCenter);
    pictureStatus->setFont(smallFont);
    pictureStatus->setStyleSheet(QStringLiteral("color: white;"));

    auto* back = new QLabel(this);
    back->setObjectName(QStringLiteral("BackImage"));
    back->setScaledContents(true);
    back->setPixmap(Artwork::sidebarBackground(kWidth, 64));
    // Fills whatever is left, down to nothing: it never makes the window taller.
    back->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    m_stack->addWidget(back, 1);
}

void MainForm::layOutColumn()
{
    const int needed = m_stack->minimumSize().height();
    m_column->setGeometry(0, 0, width(), std::max(height(), needed));
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutColumn();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // A panel shown or hidden changes the room the column needs.
    if (watched == m_column && event->type() == QEvent::LayoutRequest)
        QMetaObject::invokeMethod(this, &MainForm::layOutColumn, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void MainForm::runStartupStep(const char* what, const std::function<void()>& step)
{
    // A failing step is reported and start-up goes on with the next one, so
    // that the sidebar still comes up with whatever works.
    try {
        step();
    } catch (const std::exception& error) {
        reportError(QString::fromLatin1(what), QString::fromUtf8(error.what()));
    }
}

void MainForm::reportError(const QString& context, const QString& text)
{
    qCWarning(lcShell).noquote() << context + QStringLiteral(": ") + text;
    m_reportedErrors << text;
    // Not modal: start-up and the timers go on while the message is up.
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Lanternfly Desktop"), text,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("ErrorReport"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MainForm::FormCreate()
{
    for (const char* name : {"NTITLE1", "NTITLE2", "NTIME1", "NTIME2", "NCONTENT1", "NCONTENT2",
                             "AdTitle", "AdTitle2", "AdBody", "AdBody2"}) {
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(name)))
            label->clear();
    }
    runStartupStep("load settings", [this] { loadSettings(); });
    runStartupStep("results server", [this] { activateResultsServer(); });
    DrawItems();
    // The lists exist from construction on; nothing here can leave them missing.
    m_resultLines.clear();
    m_pictureFiles.clear();
    if (m_system.osMajorVersion() != 5)
        m_desktopSearch->setVisible(false);
}

void MainForm::loadSettings()
{
    m_globals.ProgramFolder = m_system.programFolder();
    const SettingsValues values = SettingsStore::load(m_settingsPath);
    m_globals.assignSettings(values);
    m_nodeLabel->setText(values.CurrNode);
    m_clockCheck->setChecked(values.ClockShowing);
    m_weatherCheck->setChecked(values.WeatherShowing);
    m_newsCheck->setChecked(values.NewsShowing);
    m_adCheck->setChecked(values.AdShowing);
}

SettingsValues MainForm::currentSettings() const
{
    SettingsValues values = m_globals.settings();
    values.CurrNode = m_nodeLabel->text();
    values.ClockShowing = m_clockCheck->isChecked();
    values.WeatherShowing = m_weatherCheck->isChecked();
    values.NewsShowing = m_newsCheck->isChecked();
    values.AdShowing = m_adCheck->isChecked();
    return values;
}

void MainForm::saveSettings()
{
    SettingsStore::save(m_settingsPath, currentSettings());
}

void MainForm::setPagesPer(int pagesPer)
{
    if (m_resultsService)
        m_resultsService->setPagesPer(pagesPer);
}

void MainForm::activateResultsServer()
{
    m_resultsService =
        std::make_unique<ResultsService>(*this, m_globals.ProgramFolder, m_globals.PagesPer,
                                         &UrlEncoding::encodeWebAddress, BD::catalogStatements());
    m_resultsService->start(m_resultsPort);
}

void MainForm::deactivateResultsServer()
{
    m_resultsService.reset();
}

void MainForm::DrawItems()
{
    m_clockPanel->setVisible(m_clockCheck->isChecked());
    m_newsPanel->setVisible(m_newsCheck->isChecked());
    m_weatherPanel->setVisible(m_weatherCheck->isChecked());
    m_adPanel->setVisible(m_adCheck->isChecked());
    QCoreApplication::processEvents();
    try {
        applyFirstRunRule();
    } catch (const std::exception& error) {
        reportError(QStringLiteral("first-run marker"), QString::fromUtf8(error.what()));
    }
}

void MainForm::applyFirstRunRule()
{
    const QString marker = m_globals.ProgramFolder + QStringLiteral("Temp.ini");
    if (QFile::exists(marker))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().height() <= kSmallScreenHeight)
        hidePanel(m_adPanel, m_adCheck);
    QFile file(marker);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(marker, file.errorString())
                                     .toStdString());
}

void MainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Every time the window becomes visible the docking decision runs again.
    AppBarTimerTimer();
}

void MainForm::AppBarTimerTimer()
{
    m_appBarTimer->stop();
    m_appBarTimer->setInterval(2500);
    if (m_globals.IsAppBar) {
        GoAppBar();
        return;
    }
    GoNoAppBar();
    setWindowOpacity(1.0);
}

void MainForm::GoAppBar()
{
    // Invisible while it moves.
    setWindowOpacity(0.0);
    m_dock->keepAbove(this, false);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    m_appBarRecord = QRect(area.right() + 1 - width(), area.top(), width(), area.height());
    setGeometry(m_appBarRecord);
    QCoreApplication::processEvents();
    m_dock->reserveRightEdge(this, area, width());
    m_docked = true;
    move(m_appBarRecord.topLeft());
    update();
    QCoreApplication::processEvents();
    setWindowOpacity(1.0);
    show();
    raise();
}

void MainForm::GoNoAppBar()
{
    m_dock->release(this);
    m_docked = false;
    QCoreApplication::processEvents();
    alignToWorkArea();
    m_dock->keepAbove(this, true);
}

void MainForm::alignToWorkArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    setGeometry(area.right() + 1 - width(), area.top(), width(), area.height());
}

void MainForm::AllignCheckTimerTimer()
{
    if (!m_globals.IsAppBar)
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || x() == screen->geometry().right() + 1 - width())
        return;
    // Back to where it was docked, even when the screen has changed since.
    move(m_appBarRecord.topLeft());
    update();
}

void MainForm::ShowApp()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (m_globals.IsAppBar)
        GoAppBar();
    else
        GoNoAppBar();
    QCoreApplication::processEvents();
    setWindowOpacity(1.0);
    QCoreApplication::processEvents();
    show();
    raise();
}

void MainForm::HideApp()
{
    QCoreApplication::processEvents();
    setWindowOpacity(0.0);
    hide();
    // A hidden sidebar never keeps its strip of the screen.
    GoNoAppBar();
    QCoreApplication::processEvents();
}

void MainForm::CloseApp()
{
    m_closing = true;
    close();
    QCoreApplication::quit();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // Only "Exit" ends the program; a close request from the window manager hides it.
    if (m_closing) {
        event->accept();
        return;
    }
    event->ignore();
    HideApp();
}

void MainForm::FormDestroy()
{
    try {
        saveSettings();
    } catch (const SettingsWriteError& error) {
        // Never a modal box here: it would hold up a logout.
        ShowBaloon(QStringLiteral("Error!"), error.message(), 3, 15);
    }
    deactivateResultsServer();
    m_resultLines.clear();
    m_pictureFiles.clear();
    m_dock->release(this);
    m_docked = false;
}

void MainForm::ShowBaloon(const QString& title, const QString& text, int icon, int timeout)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { showBalloonNow(title, text, icon, timeout); }, Qt::QueuedConnection);
        return;
    }
    showBalloonNow(title, text, icon, timeout);
}

void MainForm::showBalloonNow(const QString& title, const QString& text, int icon, int timeout)
{
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    oneLine.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    oneLine.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    qCInfo(lcBalloon).noquote() << title + QStringLiteral(" | ") + oneLine;

    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // The program's time-outs (5 to 20) sit below the ten seconds a notice
    // needs to be read; the desktop's own minimum was always what showed.
    const int shownMs = std::max(timeout, 10000);
    if (m_notifier->notify(title, body, icon, shownMs))
        return;
    if (m_trayIcon && QSystemTrayIcon::isSystemTrayAvailable()) {
        static const QSystemTrayIcon::MessageIcon kIcons[] = {
            QSystemTrayIcon::NoIcon, QSystemTrayIcon::Information, QSystemTrayIcon::Warning,
            QSystemTrayIcon::Critical};
        m_trayIcon->showMessage(title, body, kIcons[icon >= 0 && icon <= 3 ? icon : 0], shownMs);
    }
}

void MainForm::OpenURL(const QString& address)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { OpenURL(address); }, Qt::QueuedConnection);
        return;
    }
    if (address.isEmpty())
        return;
    m_opener->open(UrlEncoding::addressToOpen(address));
}

void MainForm::ClockTimerTimer()
{
    // The colon shows on every second tick; the blink phase lives in the label.
    const QLocale locale = QLocale::system();
    const QString format = m_timeLabel->text().contains(QLatin1Char(':')) ? QStringLiteral("HH mm")
                                                                          : QStringLiteral("HH:mm");
    m_timeLabel->setText(locale.toString(m_clock->now().time(), format));
    m_dayOfWeek->setText(locale.toString(m_clock->now().date(), QStringLiteral("dddd")));
    m_date->setText(locale.toString(m_clock->now().date(), QStringLiteral("MMMM dd yyyy")));
}
