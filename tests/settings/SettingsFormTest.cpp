#include "app/SettingsForm.h"

#include "app/Autostart.h"
#include "app/LFGlobals.h"
#include "app/NewsLocationsTable.h"
#include "app/SettingsStore.h"
#include "indexer/IndexParameters.h"
#include "indexer/IndexerPaths.h"
#include "tests/settings/ConfigHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class SettingsFormTest : public ::testing::Test
{
protected:
    SettingsFormTest()
    {
        globals.assignSettings(SettingsValues{});
        globals.WeatherUnits = QStringLiteral("C");
        globals.WeatherInterval = 1200000;
        globals.NewsUpdateInterval = 1500000;
        globals.PagesPer = 20;
        globals.IndexPrio = 2;
        globals.PrevPeriod = QStringLiteral("PWeek");
        globals.CityName = QStringLiteral("Oakton, XX");
        for (QTimer* timer : {&weatherTimer, &newsTimer, &orgTimer, &appBarTimer})
            timer->setInterval(1200000);
    }

    std::unique_ptr<SettingsForm> makeForm()
    {
        SettingsFormHooks hooks;
        hooks.weatherTimer = &weatherTimer;
        hooks.newsTimer = &newsTimer;
        hooks.orgTimer = &orgTimer;
        hooks.appBarTimer = &appBarTimer;
        hooks.saveSettings = [this] {
            SettingsStore::save(settingsPath, globals.settings());
        };
        hooks.pagesPerChanged = [this](int pagesPer) {
            pagesPerSeen = pagesPer;
        };
        hooks.executablePath = QStringLiteral("/opt/lanternfly dir/lanternfly-desktop");
        hooks.showError = [this](const QString& text) {
            errors << text;
        };
        hooks.showInformation = [this](const QString& text) {
            messages << text;
        };
        return std::make_unique<SettingsForm>(globals, std::move(hooks));
    }

    template <typename T> T* child(SettingsForm& form, const char* name)
    {
        auto* widget = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    TemporaryConfigHome configHome;
    TestFolder folder;
    QString settingsPath = folder.filePath(QStringLiteral("lanternfly-desktop.INI"));
    LFGlobals globals;
    QTimer weatherTimer, newsTimer, orgTimer, appBarTimer;
    int pagesPerSeen = 0;
    QStringList errors;
    QStringList messages;
};

QString firstLanguage()
{
    return QString::fromUtf8(NewsLocationsTable::storedRows().front().language);
}

} // namespace

TEST_F(SettingsFormTest, ShowingLoadsTheVariables)
{
    globals.WeatherUnits = QStringLiteral("c"); // anything but "C" is Fahrenheit
    globals.IndexPrio = 3;
    globals.PrevPeriod = QStringLiteral("PMonth");
    globals.DefLanguage = firstLanguage();
    globals.RunWhithWindows = true;
    auto form = makeForm();
    form->show();

    EXPECT_EQ(child<QSpinBox>(*form, "WUpDown")->value(), 20);
    EXPECT_EQ(child<QSpinBox>(*form, "NUpDown")->value(), 25);
    EXPECT_EQ(child<QSpinBox>(*form, "SRUpDown")->value(), 20);
    EXPECT_TRUE(child<QRadioButton>(*form, "Fahrenheit")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*form, "IPCheck")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*form, "PMonth")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*form, "RunCheck")->isChecked());
    EXPECT_EQ(child<QLabel>(*form, "ACLabel")->text(), QStringLiteral("Oakton, XX"));
    EXPECT_EQ(child<QComboBox>(*form, "NewsBox")->count(),
              qsizetype(NewsLocationsTable::storedRows().size()));
    EXPECT_EQ(child<QComboBox>(*form, "NewsBox")->currentText(), firstLanguage());
    EXPECT_EQ(child<QLabel>(*form, "AL")->text(), firstLanguage());
    // The first showing is on the System tab.
    EXPECT_EQ(child<QTabWidget>(*form, "PC")->currentWidget()->objectName(),
              QStringLiteral("SystemTab"));

    // Values outside the choices leave the buttons as they were.
    globals.IndexPrio = 7;
    globals.PrevPeriod = QStringLiteral("PFortnight");
    form->hide();
    form->show();
    EXPECT_TRUE(child<QRadioButton>(*form, "IPCheck")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*form, "PMonth")->isChecked());
}

TEST_F(SettingsFormTest, SaveTakesTheControlsBackAndRearmsTheTimers)
{
    globals.WeatherUnits = QStringLiteral("X");
    auto form = makeForm();
    form->show();
    child<QSpinBox>(*form, "WUpDown")->setValue(45);
    child<QSpinBox>(*form, "ZUpDown")->setValue(-5);
    child<QSpinBox>(*form, "SRUpDown")->setValue(50);
    child<QRadioButton>(*form, "PYear")->setChecked(true);
    child<QCheckBox>(*form, "AppBarCheck")->setChecked(true);
    form->SaveExecute();

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(globals.WeatherInterval, 2700000);
    EXPECT_EQ(globals.NewsUpdateInterval, 1500000);
    EXPECT_EQ(globals.WeatherUnits, QStringLiteral("F"));
    EXPECT_EQ(globals.TimeZone, -5);
    EXPECT_EQ(globals.PagesPer, 50);
    EXPECT_EQ(pagesPerSeen, 50);
    EXPECT_EQ(globals.PrevPeriod, QStringLiteral("PYear"));
    EXPECT_TRUE(globals.IsAppBar);

    const std::pair<QTimer*, int> rearmed[] = {
        {&weatherTimer, 200}, {&newsTimer, 600}, {&orgTimer, 100}, {&appBarTimer, 2500}};
    for (const auto& [timer, interval] : rearmed) {
        EXPECT_TRUE(timer->isActive());
        EXPECT_EQ(timer->interval(), interval);
    }

    const SettingsValues stored = SettingsStore::load(settingsPath);
    EXPECT_EQ(stored.WeatherInterval, 2700000);
    EXPECT_EQ(stored.WeatherUnits, QStringLiteral("F"));
    EXPECT_EQ(stored.PrevPeriod, QStringLiteral("PYear"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SettingsFormTest, UnknownLanguageSavesEmptyAndKeepsTheFeed)
{
    globals.DefLanguage = QStringLiteral("Klingon");
    globals.NewsLocation = QStringLiteral("http://feeds.example/previous.rss");
    auto form = makeForm();
    form->show();
    EXPECT_EQ(child<QComboBox>(*form, "NewsBox")->currentIndex(), -1);
    form->SaveExecute();
    EXPECT_EQ(globals.DefLanguage, QString());
    EXPECT_EQ(globals.NewsLocation, QStringLiteral("http://feeds.example/previous.rss"));

    // Choosing a listed language takes its feed.
    form->show();
    child<QComboBox>(*form, "NewsBox")->setCurrentText(firstLanguage());
    form->SaveExecute();
    EXPECT_EQ(globals.DefLanguage, firstLanguage());
    EXPECT_EQ(globals.NewsLocation, *NewsLocationsTable::locationOf(firstLanguage()));
}

TEST_F(SettingsFormTest, CloseChangesNothing)
{
    const SettingsValues before = globals.settings();
    auto form = makeForm();
    form->show();
    child<QSpinBox>(*form, "WUpDown")->setValue(300);
    child<QRadioButton>(*form, "Fahrenheit")->setChecked(true);
    child<QCheckBox>(*form, "RunCheck")->setChecked(true);
    form->CloseFormExecute();

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(globals.settings(), before);
    EXPECT_FALSE(QFileInfo::exists(settingsPath));
    EXPECT_FALSE(QFileInfo::exists(Autostart::entryPath()));
    EXPECT_FALSE(weatherTimer.isActive());
}

TEST_F(SettingsFormTest, SaveAppliesAutostartAndTheIndexingProfile)
{
    const QString parameters = IndexerPaths::parameterFilePath();
    ASSERT_TRUE(parameters.startsWith(configHome.path()));
    auto form = makeForm();

    // Without the indexer's file nothing is created.
    form->show();
    child<QRadioButton>(*form, "IPCheck")->setChecked(true);
    form->SaveExecute();
    EXPECT_FALSE(QFileInfo::exists(parameters));

    ASSERT_TRUE(IndexParameters::ensureExists(parameters));
    form->show();
    child<QCheckBox>(*form, "RunCheck")->setChecked(true);
    child<QRadioButton>(*form, "IPCheck")->setChecked(true);
    form->SaveExecute();
    EXPECT_EQ(globals.IndexPrio, 3);
    EXPECT_TRUE(QFileInfo::exists(Autostart::entryPath()));
    IndexParameters written = IndexParameters::load(parameters);
    EXPECT_EQ(written.value("UsnReadMinSize"), 8192u);
    EXPECT_EQ(written.value("ServiceUsage"), 4u);
    EXPECT_EQ(written.value("MinSizeMergeWordlists"), 206u);

    form->show();
    child<QCheckBox>(*form, "RunCheck")->setChecked(false);
    child<QRadioButton>(*form, "HPCheck")->setChecked(true);
    form->SaveExecute();
    EXPECT_EQ(globals.IndexPrio, 1);
    EXPECT_FALSE(QFileInfo::exists(Autostart::entryPath()));
    written = IndexParameters::load(parameters);
    EXPECT_EQ(written.value("MaxWordlistIo"), 4294967295u);
    EXPECT_EQ(written.value("ServiceUsage"), 1u);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SettingsFormTest, WriteFailureIsReportedAfterEverythingApplied)
{
    settingsPath = folder.filePath(QStringLiteral("missing/folder/lanternfly-desktop.INI"));
    auto form = makeForm();
    form->show();
    child<QSpinBox>(*form, "WUpDown")->setValue(60);
    form->SaveExecute();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().startsWith(QStringLiteral("Unable to write to")))
        << errors.front().toStdString();
    EXPECT_EQ(globals.WeatherInterval, 3600000);
    EXPECT_TRUE(appBarTimer.isActive());
}

TEST_F(SettingsFormTest, UseThisCityTakesTheSelectedEntry)
{
    auto form = makeForm();
    form->show();
    auto* list = child<QListWidget>(*form, "List");

    // Nothing selected: nothing happens.
    list->addItems(
        {QStringLiteral("(ABCD0001) Oakton, XX"), QStringLiteral("(AB12) Short Id, YY")});
    form->UseThisClick();
    EXPECT_TRUE(messages.isEmpty());

    struct Case
    {
        int row;
        const char* id;
        const char* name;
    };
    for (const Case& c : {Case{0, "ABCD0001", "Oakton, XX"}, Case{1, "AB12", "Short Id, YY"}}) {
        messages.clear();
        list->setCurrentRow(c.row);
        form->UseThisClick();
        EXPECT_EQ(globals.CityID, QString::fromUtf8(c.id));
        EXPECT_EQ(globals.CityName, QString::fromUtf8(c.name));
        EXPECT_EQ(child<QLabel>(*form, "ACLabel")->text(), QString::fromUtf8(c.name));
        EXPECT_EQ(messages, QStringList{QStringLiteral("City ") + list->item(c.row)->text() +
                                        QStringLiteral(" Selected")});
    }
}

TEST_F(SettingsFormTest, ConfigureOpensOnTheFeedsTabAndTheTabIsKept)
{
    auto form = makeForm();
    auto* pc = child<QTabWidget>(*form, "PC");
    QString shownOn;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, form.get(), [&] {
            shownOn = pc->currentWidget()->objectName();
            form->CloseFormExecute();
        });
    };
    closeWhenShown();
    form->NConfigureClick();
    EXPECT_EQ(shownOn, QStringLiteral("NewsTab"));
    closeWhenShown();
    form->WConfigureClick();
    EXPECT_EQ(shownOn, QStringLiteral("WeatherTab"));
    pc->setCurrentWidget(child<QWidget>(*form, "SearchTab"));
    closeWhenShown();
    form->GoSettings();
    EXPECT_EQ(shownOn, QStringLiteral("SearchTab"));
}
