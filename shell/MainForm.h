#pragma once

#include "app/SettingsValues.h"
#include "shell/SidebarServices.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class ClickableImage;
class Clock;
class Notifier;
class QAction;
class QSystemTrayIcon;
class ScreenEdgeDock;
class UrlOpener;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class QVBoxLayout;
class ResultsService;
class SidebarPanel;
class SystemInfo;
struct LFGlobals;

// The desktop services the sidebar uses; null members get the real ones.
// Tests pass fakes. The pointed-to objects must outlive the window.
struct ShellPlatform
{
    ScreenEdgeDock* dock = nullptr;
    Notifier* notifier = nullptr;
    UrlOpener* opener = nullptr;
    const Clock* clock = nullptr;
    // The results server's port; 0 takes any free one (tests running side by side).
    int resultsPort = 4775;
};

// The sidebar: a frameless column at the right screen edge holding the title
// strip and the stack of panels. Created once at start-up (FormCreate runs in
// the constructor) and destroyed at exit (FormDestroy).
class MainForm : public QWidget, public SidebarServices
{
    Q_OBJECT
public:
    static constexpr int kWidth = 217;

    MainForm(LFGlobals& globals, const SystemInfo& system, QString settingsPath,
             ShellPlatform platform = {}, QWidget* parent = nullptr);
    ~MainForm() override;

    // The exit steps: save the settings, stop the results server, drop the
    // shared lists and the dock. A save error is announced, never blocks.
    void FormDestroy();

    // Announces a notice at the tray; callable from any thread.
    void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) override;
    // Opens a web address (percent-encoded) or a file with the user's default
    // application; callable from any thread.
    void OpenURL(const QString& address) override;

    // The settings as the window holds them: the variables plus the note and
    // the panel check items.
    SettingsValues currentSettings() const;
    // Writes the settings file; throws SettingsWriteError.
    void saveSettings();
    // The page size of the results pages served from now on.
    void setPagesPer(int pagesPer);

    QMenu* trayMenu() const { return m_trayMenu; }
    QStringList& resultLines() { return m_resultLines; }
    QStringList& pictureFiles() { return m_pictureFiles; }
    QString settingsPath() const { return m_settingsPath; }
    // Errors reported to the user so far (start-up steps, the first-run marker).
    QStringList reportedErrors() const { return m_reportedErrors; }

    // The strip reserved at the last docking (the screen's right edge).
    QRect AppBarRecord() const { return m_appBarRecord; }
    QTimer* appBarTimer() const { return m_appBarTimer; }

public slots:
    void CloseApp();
    void ShowApp();
    void HideApp();
    void DrawItems();
    void GoAppBar();
    void GoNoAppBar();
    void AppBarTimerTimer();
    void AllignCheckTimerTimer();
    void ClockTimerTimer();

signals:
    // The tray menu's "Settings" item.
    void settingsRequested();
    // A feed panel's "Configure" item: the settings dialog on the named tab
    // ("WeatherTab", "NewsTab").
    void settingsTabRequested(const QString& tabName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void runStartupStep(const char* what, const std::function<void()>& step);
    void reportError(const QString& context, const QString& text);
    void loadSettings();
    void activateResultsServer();
    void deactivateResultsServer();
    void applyFirstRunRule();
    void alignToWorkArea();
    void layOutColumn();
    void buildTrayIcon();
    void showBalloonNow(const QString& title, const QString& text, int icon, int timeout);

    void buildActions();
    void buildTrayMenu();
    void buildTitleStrip();
    void buildPanels();
    SidebarPanel* addPanel(const QString& name, int height);
    ClickableImage* addCloseControl(SidebarPanel* panel, const QString& name, QPoint at,
                                    QAction* checkItem);
    QLabel* addLabel(QWidget* panel, const QString& name, QRect geometry,
                     const QString& text = QString());
    QMenu* addOptionMenu(SidebarPanel* panel, const QString& menuName, const QString& closeName,
                         QAction* checkItem);
    void hidePanel(QWidget* panel, QAction* checkItem);

    LFGlobals& m_globals;
    const SystemInfo& m_system;
    QString m_settingsPath;
    bool m_closing = false;
    bool m_docked = false;
    QRect m_appBarRecord;

    // Owned fallbacks for the services the caller did not pass.
    std::unique_ptr<ScreenEdgeDock> m_ownDock;
    std::unique_ptr<Notifier> m_ownNotifier;
    std::unique_ptr<UrlOpener> m_ownOpener;
    std::unique_ptr<Clock> m_ownClock;
    ScreenEdgeDock* m_dock = nullptr;
    Notifier* m_notifier = nullptr;
    UrlOpener* m_opener = nullptr;
    const Clock* m_clock = nullptr;
    int m_resultsPort = 4775;
    std::unique_ptr<ResultsService> m_resultsService;

    QStringList m_resultLines;
    QStringList m_pictureFiles;
    QStringList m_reportedErrors;

    QWidget* m_column = nullptr;
    QVBoxLayout* m_stack = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_clockCheck = nullptr;
    QAction* m_weatherCheck = nullptr;
    QAction* m_newsCheck = nullptr;
    QAction* m_adCheck = nullptr;
    QAction* m_desktopSearch = nullptr;

    SidebarPanel* m_clockPanel = nullptr;
    SidebarPanel* m_weatherPanel = nullptr;
    SidebarPanel* m_newsPanel = nullptr;
    SidebarPanel* m_adPanel = nullptr;
    QLabel* m_nodeLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_dayOfWeek = nullptr;
    QLabel* m_date = nullptr;
    QTimer* m_clockTimer = nullptr;
    QTimer* m_appBarTimer = nullptr;
    QTimer* m_allignCheckTimer = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
};
