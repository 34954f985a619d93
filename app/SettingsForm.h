#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QThread;
class QTimer;
class FeedFetcher;
class SidebarServices;
struct LFGlobals;
namespace CityLookup {
struct Result;
}

// What the dialog acts on outside itself when the settings are saved.
struct SettingsFormHooks
{
    // The sidebar's timers, re-armed so that the new settings take effect at once.
    QTimer* weatherTimer = nullptr;
    QTimer* newsTimer = nullptr;
    QTimer* orgTimer = nullptr;
    QTimer* appBarTimer = nullptr;
    // Writes the settings file; throws SettingsWriteError.
    std::function<void()> saveSettings;
    // The results pages' size changed.
    std::function<void(int)> pagesPerChanged;
    // The executable the autostart entry starts.
    QString executablePath;
    // Message boxes; tests replace them. Defaults: QMessageBox.
    std::function<void(const QString&)> showError;
    std::function<void(const QString&)> showInformation;
    // The city search: the weather service's host, a fetcher per search
    // (used on a worker thread) and the balloon for an offline network.
    QString weatherHost;
    std::function<std::unique_ptr<FeedFetcher>()> makeFetcher;
    SidebarServices* services = nullptr;
};

// The settings dialog: created hidden at start-up, shown modally from the tray
// menu or a feed panel's "Configure" item. Showing it loads the settings
// variables into the controls; Save takes them back, applies them and writes
// the settings file; Close takes nothing back.
class SettingsForm : public QDialog
{
    Q_OBJECT
public:
    SettingsForm(LFGlobals& globals, SettingsFormHooks hooks, QWidget* parent = nullptr);

    // Shows the dialog modally on the tab last shown.
    void GoSettings();
    // Shows the dialog modally on the weather or news tab.
    void WConfigureClick();
    void NConfigureClick();
    // Shows the dialog on the tab with that object name ("WeatherTab", "NewsTab").
    void showOnTab(const QString& tabName);

    void FormShow();
    void SaveExecute();
    void CloseFormExecute();
    void UseThisClick();
    // Looks the typed place up on a worker thread; the dialog stays responsive.
    void SearchCityClick();

signals:
    // A city search ended, whatever its outcome.
    void citySearchFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildWeatherTab();
    QWidget* buildNewsTab();
    QWidget* buildSearchTab();
    QWidget* buildShedulerTab();
    QWidget* buildSystemTab();
    void restart(QTimer* timer, int interval);
    void finishCitySearch(const CityLookup::Result& result);

    LFGlobals& m_globals;
    SettingsFormHooks m_hooks;

    QTabWidget* m_pc = nullptr;
    QRadioButton* m_celsius = nullptr;
    QRadioButton* m_fahrenheit = nullptr;
    QSpinBox* m_wUpDown = nullptr;
    QLabel* m_acLabel = nullptr;
    QLineEdit* m_needCity = nullptr;
    QPushButton* m_searchCity = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_useThis = nullptr;
    QLabel* m_al = nullptr;
    QComboBox* m_newsBox = nullptr;
    QSpinBox* m_nUpDown = nullptr;
    QSpinBox* m_zUpDown = nullptr;
    QSpinBox* m_srUpDown = nullptr;
    QCheckBox* m_reminderCheck = nullptr;
    QList<QRadioButton*> m_periods;
    QCheckBox* m_runCheck = nullptr;
    QRadioButton* m_hpCheck = nullptr;
    QRadioButton* m_bpCheck = nullptr;
    QRadioButton* m_ipCheck = nullptr;
    QCheckBox* m_appBarCheck = nullptr;
    QPointer<QThread> m_citySearch;
};
