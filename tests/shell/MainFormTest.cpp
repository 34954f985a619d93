#include "shell/MainForm.h"

#include "app/LFGlobals.h"
#include "shell/SidebarStyle.h"
#include "tests/shell/FakeShellPlatform.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include <gtest/gtest.h>
#include <memory>

namespace {

class MainFormTest : public ::testing::Test
{
protected:
    std::unique_ptr<MainForm> start(int osMajorVersion = 5)
    {
        m_system = std::make_unique<FakeSystemInfo>(m_folder.filePath("lanternfly-desktop"),
                                                    osMajorVersion);
        auto form = std::make_unique<MainForm>(
            m_globals, *m_system, m_folder.filePath("lanternfly-desktop.INI"), m_fakes.platform());
        form->show();
        QApplication::processEvents();
        return form;
    }
    QWidget* child(MainForm& form, const char* name)
    {
        auto* widget = form.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* item(MainForm& form, const char* name)
    {
        return form.trayMenu()->findChild<QAction*>(QString::fromLatin1(name));
    }
    void markFirstRunDone() { m_folder.write("Temp.ini", {}); }

    TestFolder m_folder;
    LFGlobals m_globals;
    FakeShellPlatform m_fakes;
    std::unique_ptr<FakeSystemInfo> m_system;
};

TEST_F(MainFormTest, PanelStackInOrderWithDocumentedHeights)
{
    markFirstRunDone();
    auto form = start();
    const struct
    {
        const char* name;
        int top;
        int height;
    } expected[] = {{"TopImage", 0, 34},      {"ClockPanel", 34, 77},  {"WeatherPanel", 111, 86},
                    {"SearchPanel", 197, 52}, {"NewsPanel", 249, 103}, {"OrgPanel", 352, 133},
                    {"AdPanel", 485, 114},    {"NodePanel", 599, 108}, {"PicPanel", 707, 158}};
    for (const auto& panel : expected) {
        QWidget* widget = child(*form, panel.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), QRect(0, panel.top, 217, panel.height)) << panel.name;
    }
    EXPECT_EQ(form->width(), 217);
    EXPECT_EQ(child(*form, "BackImage")->y(), 865);
    for (const char* name : {"AddImage", "MinimizeImage", "CloseImage"})
        EXPECT_EQ(child(*form, name)->size(), QSize(17, 17)) << name;
    EXPECT_EQ(child(*form, "AddImage")->pos(), QPoint(159, 5));
    EXPECT_EQ(child(*form, "CloseImage")->pos(), QPoint(192, 5));
}

TEST_F(MainFormTest, CheckItemsAndCloseControlsDriveTheStack)
{
    markFirstRunDone();
    auto form = start();
    QWidget* search = child(*form, "SearchPanel");
    const int searchTop = search->y();

    item(*form, "WeatherCheck")->trigger(); // unchecks, then lays out
    QApplication::processEvents();
    EXPECT_FALSE(child(*form, "WeatherPanel")->isVisible());
    EXPECT_EQ(search->y(), searchTop - 86);

    item(*form, "WeatherCheck")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(search->y(), searchTop);

    // A close control hides its panel and clears its item.
    QMetaObject::invokeMethod(child(*form, "CCloseImage"), "clicked");
    QApplication::processEvents();
    EXPECT_FALSE(child(*form, "ClockPanel")->isVisible());
    EXPECT_FALSE(item(*form, "ClockCheck")->isChecked());
    EXPECT_FALSE(form->currentSettings().ClockShowing);

    // The same through the option menu's Close item.
    form->findChild<QAction*>("AClose")->trigger();
    EXPECT_FALSE(child(*form, "AdPanel")->isVisible());
    EXPECT_FALSE(item(*form, "AdCheck")->isChecked());
}

TEST_F(MainFormTest, SettingsReachVariablesAndControls)
{
    markFirstRunDone();
    m_folder.write("lanternfly-desktop.INI",
                   "[MainForm]\nNewsShowing=0\n[Nodes]\nCurrNode=\"Buy milk\"\n"
                   "[News]\nDefLanguage=Russian\n[Search]\nPagesPer=abc\n");
    auto form = start();
    EXPECT_EQ(m_globals.ProgramFolder, m_folder.path() + "/");
    EXPECT_EQ(m_globals.DefLanguage, "Russian");
    EXPECT_TRUE(m_globals.NewsLocation.contains("russian"));
    EXPECT_EQ(m_globals.PagesPer, 15);
    EXPECT_FALSE(child(*form, "NewsPanel")->isVisible());
    EXPECT_FALSE(item(*form, "NewsCheck")->isChecked());
    EXPECT_EQ(form->findChild<QLabel*>("NodeLabel")->text(), "Buy milk");
    for (const char* name : {"NTITLE1", "NCONTENT2", "AdTitle", "AdBody2"})
        EXPECT_TRUE(form->findChild<QLabel*>(name)->text().isEmpty()) << name;

    form->FormDestroy();
    const QByteArray saved = m_folder.read("lanternfly-desktop.INI");
    EXPECT_TRUE(saved.contains("NewsShowing=0\n"));
    EXPECT_TRUE(saved.contains("CurrNode=Buy milk\n"));
    EXPECT_TRUE(saved.contains("PagesPer=15\n"));
}

TEST_F(MainFormTest, FirstRunOnASmallScreenHidesTheAdvertsOnce)
{
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    auto form = start();
    EXPECT_TRUE(QFile::exists(m_folder.filePath("Temp.ini")));
    EXPECT_EQ(item(*form, "AdCheck")->isChecked(), screenHeight > 800);
    EXPECT_EQ(child(*form, "AdPanel")->isVisible(), screenHeight > 800);

    // The user switches them back on: the rule does not come back.
    if (!item(*form, "AdCheck")->isChecked())
        item(*form, "AdCheck")->trigger();
    EXPECT_TRUE(child(*form, "AdPanel")->isVisible());
}

TEST_F(MainFormTest, DesktopSearchOfferedOnVersionFiveOnly)
{
    markFirstRunDone();
    EXPECT_TRUE(start(5)->findChild<QAction*>("DesktopSearch1")->isVisible());
    EXPECT_FALSE(start(6)->findChild<QAction*>("DesktopSearch1")->isVisible());
}

TEST_F(MainFormTest, SaveErrorAtExitIsAnnouncedAndExitGoesOn)
{
    markFirstRunDone();
    m_folder.write("lanternfly-desktop.INI", "[Weather]\nCityName=Old\n");
    QFile::setPermissions(m_folder.filePath("lanternfly-desktop.INI"), QFile::ReadOwner);
    auto form = start();
    testing::internal::CaptureStderr();
    form->FormDestroy();
    QApplication::processEvents();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("balloon: Error! | Unable to write to " +
                       m_folder.filePath("lanternfly-desktop.INI").toStdString()),
              std::string::npos)
        << log;
    EXPECT_EQ(m_folder.read("lanternfly-desktop.INI"), "[Weather]\nCityName=Old\n");
}

TEST_F(MainFormTest, PopupMenusCarryTheRedSideLine)
{
    QApplication::setStyle(new SidebarStyle);
    markFirstRunDone();
    auto form = start();
    QMenu* menu = form->trayMenu();
    menu->ensurePolished();
    menu->adjustSize();
    const QImage image = menu->grab().toImage();
    image.save(QStringLiteral(LF_BIN_DIR "/../tray-menu.png"));
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < SidebarStyle::kMenuSideLineWidth; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            red += pixel.red() > 150 && pixel.green() < 100 && pixel.blue() < 100;
        }
    EXPECT_GT(red, 50) << "no red side line along the menu";
    // The items start right of the line.
    const QRect first = menu->actionGeometry(menu->actions().first());
    EXPECT_GE(first.left(), SidebarStyle::kMenuSideLineWidth);
}

} // namespace
