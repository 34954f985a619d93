#include "app/SettingsForm.h"

#include "app/AppLog.h"
#include "app/Autostart.h"
#include "app/CityLookup.h"
#include "app/IndexProfile.h"
#include "app/LFGlobals.h"
#include "app/NewsLocationsTable.h"
#include "app/SettingsStore.h"
#include "feeds/FeedFetcher.h"
#include "shell/SidebarServices.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kMinute = 60000;

// The hourglass for as long as the guard lives, restored on every path.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_active = true;
};

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A number changed with its arrows only: the box cannot be typed into.
QSpinBox* upDown(const char* name, int minimum, int maximum)
{
    auto* box = named(new QSpinBox, name);
    box->setRange(minimum, maximum);
    if (auto* edit = box->findChild<QLineEdit*>())
        edit->setReadOnly(true);
    return box;
}

QGroupBox* group(const QString& caption, QLayout* layout)
{
    auto* box = new QGroupBox(caption);
    box->setLayout(layout);
    return box;
}

QHBoxLayout* numberRow(const QString& before, QSpinBox* box, const QString& after)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(before));
    row->addWidget(box);
    row->addWidget(new QLabel(after));
    row->addStretch();
    return row;
}

QWidget* tab(const char* name, const QList<QWidget*>& groups)
{
    auto* page = named(new QWidget, name);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(2);
    for (QWidget* widget : groups)
        column->addWidget(widget);
    column->addStretch();
    return page;
}

} // namespace

SettingsForm::SettingsForm(LFGlobals& globals, SettingsFormHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_globals(globals), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);
    setFixedSize(516, 362);
    move(183, 154);
    if (!m_hooks.showError)
        m_hooks.showError = [this](const QString& text) {
            QMessageBox::critical(parentWidget(), QStringLiteral("Lanternfly Desktop"), text);
        };
    if (!m_hooks.showInformation)
        m_hooks.showInformation = [this](const QString& text) {
            QMessageBox::information(this, QStringLiteral("Lanternfly Desktop"), text);
        };

    m_pc = named(new QTabWidget(this), "PC");
    m_pc->setGeometry(8, 8, 500, 313);
    m_pc->addTab(buildWeatherTab(), QStringLiteral("Weather"));
    m_pc->addTab(buildNewsTab(), QStringLiteral("News"));
    m_pc->addTab(buildSearchTab(), QStringLiteral("Search"));
    m_pc->addTab(buildShedulerTab(), QStringLiteral("Organaizer"));
    m_pc->addTab(buildSystemTab(), QStringLiteral("System"));
    m_pc->setCurrentWidget(m_pc->findChild<QWidget*>(QStringLiteral("SystemTab")));

    auto* saveAction = named(new QAction(QStringLiteral("Save"), this), "Save");
    connect(saveAction, &QAction::triggered, this, &SettingsForm::SaveExecute);
    auto* closeAction = named(new QAction(QStringLiteral("CloseForm"), this), "CloseForm");
    connect(closeAction, &QAction::triggered, this, &SettingsForm::CloseFormExecute);

    auto* closeButton = named(new QPushButton(QStringLiteral("Close"), this), "CloseButton");
    closeButton->setGeometry(8, 329, 75, 25);
    connect(closeButton, &QPushButton::clicked, closeAction, &QAction::trigger);
    auto* saveButton = named(new QPushButton(QStringLiteral("Save"), this), "SaveButton");
    saveButton->setGeometry(433, 329, 75, 25);
    connect(saveButton, &QPushButton::clicked, saveAction, &QAction::trigger);
}

QWidget* SettingsForm::buildWeatherTab()
{
    m_celsius = named(new QRadioButton(QStringLiteral("Celsius")), "Celsius");
    m_fahrenheit = named(new QRadioButton(QStringLiteral("Fahrenheit")), "Fahrenheit");
    auto* units = new QHBoxLayout;
    units->addWidget(m_celsius);
    units->addWidget(m_fahrenheit);
    units->addStretch();

    m_wUpDown = upDown("WUpDown", 20, 360);

    m_acLabel = named(new QLabel(QStringLiteral("AC")), "ACLabel");
    QFont bold = m_acLabel->font();
    bold.setBold(true);
    m_acLabel->setFont(bold);
    m_needCity = named(new QLineEdit, "NeedCity");
    m_searchCity = named(new QPushButton(QStringLiteral("Search")), "SearchCity");
    m_list = named(new QListWidget, "List");
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumHeight(64);
    m_useThis = named(new QPushButton(QStringLiteral("Use This City")), "UseThis");
    connect(m_useThis, &QPushButton::clicked, this, &SettingsForm::UseThisClick);
    connect(m_searchCity, &QPushButton::clicked, this, &SettingsForm::SearchCityClick);
    connect(m_needCity, &QLineEdit::returnPressed, this, &SettingsForm::SearchCityClick);

    auto* city = new QGridLayout;
    auto* active = new QHBoxLayout;
    active->addWidget(new QLabel(QStringLiteral("Active City =")));
    active->addWidget(m_acLabel);
    active->addStretch();
    city->addLayout(active, 0, 0, 1, 2);
    city->addWidget(new QLabel(QStringLiteral("Find City (Like \"London, UK\" or \"London\")")), 1,
                    0, 1, 2);
    city->addWidget(m_needCity, 2, 0);
    city->addWidget(m_searchCity, 2, 1);
    city->addWidget(m_list, 3, 0);
    city->addWidget(m_useThis, 3, 1, Qt::AlignTop);

    return tab("WeatherTab", {group(QStringLiteral(" Weather Units "), units),
                              group(QStringLiteral(" Weather Update Interval"),
                                    numberRow(QStringLiteral("Time to update"), m_wUpDown,
                                              QStringLiteral("Minutes"))),
                              group(QStringLiteral(" Active City "), city)});
}

QWidget* SettingsForm::buildNewsTab()
{
    m_al = named(new QLabel, "AL");
    m_newsBox = named(new QComboBox, "NewsBox");
    m_newsBox->setEditable(false);
    m_newsBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* language = new QHBoxLayout;
    language->addWidget(new QLabel(QStringLiteral("Active Language =")));
    language->addWidget(m_al);
    language->addStretch();
    language->addWidget(m_newsBox);

    m_nUpDown = upDown("NUpDown", 20, 360);
    m_zUpDown = upDown("ZUpDown", -12, 12);
    return tab(
        "NewsTab",
        {group(QStringLiteral("News Language "), language),
         group(QStringLiteral(" News Update Interval"),
               numberRow(QStringLiteral("Update interval"), m_nUpDown, QStringLiteral("Minutes"))),
         group(QStringLiteral(" Time Zone "), numberRow(QStringLiteral("Specify your timezone"),
                                                        m_zUpDown, QStringLiteral("Hours")))});
}

QWidget* SettingsForm::buildSearchTab()
{
    m_srUpDown = upDown("SRUpDown", 15, 360);
    return tab("SearchTab", {group(QStringLiteral(" Search Results "),
                                   numberRow(QStringLiteral("Show"), m_srUpDown,
                                             QStringLiteral("Results Per Page")))});
}

QWidget* SettingsForm::buildShedulerTab()
{
    m_reminderCheck =
        named(new QCheckBox(QStringLiteral("Enable Windows reminder")), "ReminderCheck");
    auto* reminder = new QVBoxLayout;
    reminder->addWidget(m_reminderCheck);

    auto* periods = new QVBoxLayout;
    const std::pair<const char*, const char*> buttons[] = {{"PDay", "The next Day"},
                                                           {"PWeek", "The next Week"},
                                                           {"PMonth", "The next Month"},
                                                           {"PYear", "The next Year"},
                                                           {"PCent", "The next Century"}};
    for (const auto& [name, caption] : buttons) {
        m_periods.append(named(new QRadioButton(QString::fromLatin1(caption)), name));
        periods->addWidget(m_periods.last());
    }
    return tab("ShedulerTab", {group(QStringLiteral("Reminder"), reminder),
                               group(QStringLiteral("Organaizer Preview - Date Period"), periods)});
}

QWidget* SettingsForm::buildSystemTab()
{
    m_runCheck =
        named(new QCheckBox(QStringLiteral("Start Lanternfly Desktop with Windows")), "RunCheck");
    auto* launch = new QVBoxLayout;
    launch->addWidget(m_runCheck);

    m_hpCheck = named(new QRadioButton(QStringLiteral("Normal Priority")), "HPCheck");
    m_bpCheck = named(new QRadioButton(QStringLiteral("Balanced Priority")), "BPCheck");
    m_ipCheck = named(new QRadioButton(QStringLiteral("Idle Priority")), "IPCheck");
    auto* indexation = new QVBoxLayout;
    indexation->addWidget(new QLabel(QStringLiteral("Indexation service priority:")));
    indexation->addWidget(m_hpCheck);
    indexation->addWidget(m_bpCheck);
    indexation->addWidget(m_ipCheck);

    m_appBarCheck = named(new QCheckBox(QStringLiteral("Run like Windows toolbar")), "AppBarCheck");
    auto* toolbar = new QVBoxLayout;
    toolbar->addWidget(m_appBarCheck);
    return tab("SystemTab", {group(QStringLiteral("Launch"), launch),
                             group(QStringLiteral("Indexation"), indexation),
                             group(QStringLiteral("Like Windows toolbar"), toolbar)});
}

void SettingsForm::GoSettings()
{
    exec();
}

void SettingsForm::showOnTab(const QString& tabName)
{
    if (auto* page = m_pc->findChild<QWidget*>(tabName))
        m_pc->setCurrentWidget(page);
    GoSettings();
}

void SettingsForm::WConfigureClick()
{
    showOnTab(QStringLiteral("WeatherTab"));
}

void SettingsForm::NConfigureClick()
{
    showOnTab(QStringLiteral("NewsTab"));
}

void SettingsForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void SettingsForm::FormShow()
{
    m_srUpDown->setValue(m_globals.PagesPer);
    m_zUpDown->setValue(m_globals.TimeZone);
    if (m_globals.WeatherUnits == QLatin1String("C"))
        m_celsius->setChecked(true);
    else
        m_fahrenheit->setChecked(true);
    m_acLabel->setText(m_globals.CityName);
    m_wUpDown->setValue(m_globals.WeatherInterval / kMinute);

    m_newsBox->clear();
    m_newsBox->addItems(NewsLocationsTable::languagesSorted());
    m_newsBox->setCurrentIndex(m_newsBox->findText(m_globals.DefLanguage, Qt::MatchExactly));
    m_al->setText(m_globals.DefLanguage);
    m_nUpDown->setValue(m_globals.NewsUpdateInterval / kMinute);

    for (QRadioButton* period : std::as_const(m_periods)) {
        if (period->objectName() == m_globals.PrevPeriod)
            period->setChecked(true);
    }
    m_reminderCheck->setChecked(m_globals.ReminderEnable);
    m_runCheck->setChecked(m_globals.RunWhithWindows);
    switch (m_globals.IndexPrio) {
    case 1:
        m_hpCheck->setChecked(true);
        break;
    case 2:
        m_bpCheck->setChecked(true);
        break;
    case 3:
        m_ipCheck->setChecked(true);
        break;
    default:
        break;
    }
    m_appBarCheck->setChecked(m_globals.IsAppBar);
}

void SettingsForm::restart(QTimer* timer, int interval)
{
    if (!timer)
        return;
    timer->stop();
    timer->setInterval(interval);
    timer->start();
}

void SettingsForm::SaveExecute()
{
    WaitCursor waitCursor;
    m_globals.PagesPer = m_srUpDown->value();
    if (m_hooks.pagesPerChanged)
        m_hooks.pagesPerChanged(m_globals.PagesPer);
    m_globals.WeatherUnits = m_celsius->isChecked() ? QStringLiteral("C") : QStringLiteral("F");
    m_globals.WeatherInterval = m_wUpDown->value() * kMinute;
    m_globals.NewsUpdateInterval = m_nUpDown->value() * kMinute;
    m_globals.TimeZone = m_zUpDown->value();
    m_globals.DefLanguage = m_newsBox->currentText();
    if (const auto location = NewsLocationsTable::locationOf(m_globals.DefLanguage))
        m_globals.NewsLocation = *location;
    // Weather and news are fetched again with the new settings; their handlers
    // set the configured intervals again.
    restart(m_hooks.weatherTimer, 200);
    restart(m_hooks.newsTimer, 600);
    waitCursor.restore();
    accept();

    for (QRadioButton* period : std::as_const(m_periods)) {
        if (period->isChecked())
            m_globals.PrevPeriod = period->objectName();
    }
    m_globals.ReminderEnable = m_reminderCheck->isChecked();
    restart(m_hooks.orgTimer, 100);
    m_globals.RunWhithWindows = m_runCheck->isChecked();
    Autostart::apply(m_globals.RunWhithWindows, m_hooks.executablePath);
    if (m_hpCheck->isChecked())
        m_globals.IndexPrio = 1;
    else if (m_bpCheck->isChecked())
        m_globals.IndexPrio = 2;
    else if (m_ipCheck->isChecked())
        m_globals.IndexPrio = 3;
    applyIndexProfile(m_globals.IndexPrio);
    m_globals.IsAppBar = m_appBarCheck->isChecked();
    // Its tick docks or floats the sidebar after the new setting.
    restart(m_hooks.appBarTimer, 2500);
    if (!m_hooks.saveSettings)
        return;
    try {
        m_hooks.saveSettings();
    } catch (const SettingsWriteError& error) {
        m_hooks.showError(error.message());
    }
}

void SettingsForm::CloseFormExecute()
{
    reject();
}

void SettingsForm::UseThisClick()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    for (const QListWidgetItem* item : selected) {
        const QString entry = item->text();
        CityLookup::Location location;
        if (!CityLookup::parseEntry(entry, &location))
            continue;
        m_globals.CityID = location.id;
        m_globals.CityName = location.name;
        m_hooks.showInformation(QStringLiteral("City ") + entry + QStringLiteral(" Selected"));
        m_acLabel->setText(m_globals.CityName);
    }
}

void SettingsForm::SearchCityClick()
{
    if (m_citySearch || !m_hooks.makeFetcher)
        return;
    // The worker holds only its own copies: the dialog may go while it runs.
    const std::shared_ptr<FeedFetcher> fetcher = m_hooks.makeFetcher();
    const QString address = CityLookup::requestAddress(m_hooks.weatherHost, m_needCity->text());
    auto result = std::make_shared<CityLookup::Result>();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_searchCity->setEnabled(false);
    m_citySearch = QThread::create(
        [fetcher, address, result] { *result = CityLookup::search(*fetcher, address); });
    connect(m_citySearch, &QThread::finished, this, [this, result] { finishCitySearch(*result); });
    connect(m_citySearch, &QThread::finished, m_citySearch, &QObject::deleteLater);
    m_citySearch->start(QThread::LowPriority);
}

void SettingsForm::finishCitySearch(const CityLookup::Result& result)
{
    QApplication::restoreOverrideCursor();
    m_searchCity->setEnabled(true);
    switch (result.outcome) {
    case CityLookup::Result::Outcome::Offline:
        if (m_hooks.services)
            m_hooks.services->ShowBaloon(
                QStringLiteral("Error of recieving weather"),
                QStringLiteral("Bad connection to Internet\r\nPlease, check up connection to the "
                               "Internet"),
                SidebarServices::Error, 15);
        break;
    case CityLookup::Result::Outcome::BadAnswer:
        m_hooks.showError(result.error);
        break;
    case CityLookup::Result::Outcome::Found:
        m_list->clear();
        for (const CityLookup::Location& location : result.locations)
            m_list->addItem(CityLookup::entryText(location));
        break;
    }
    emit citySearchFinished();
}
