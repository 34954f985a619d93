#include "app/LFGlobals.h"
#include "tests/shell/FakeShellPlatform.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

class ShellServicesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.write("Temp.ini", {});
        m_system = std::make_unique<FakeSystemInfo>(m_folder.filePath("lanternfly-desktop"));
        m_form = std::make_unique<MainForm>(
            m_globals, *m_system, m_folder.filePath("lanternfly-desktop.INI"), m_fakes.platform());
    }
    QString text(const char* label) { return m_form->findChild<QLabel*>(label)->text(); }

    TestFolder m_folder;
    LFGlobals m_globals;
    FakeShellPlatform m_fakes;
    std::unique_ptr<FakeSystemInfo> m_system;
    std::unique_ptr<MainForm> m_form;
};

TEST_F(ShellServicesTest, BalloonGoesToTheServiceAndTheLogFromAnyThread)
{
    testing::internal::CaptureStderr();
    std::thread worker([this] {
        m_form->ShowBaloon("Error of recieving News",
                           "Bad Internet Connetion\r\nPlease, check up connection", 3, 15);
    });
    worker.join();
    EXPECT_TRUE(m_fakes.notifier.shown.isEmpty()) << "handled on the user-interface thread";
    QApplication::processEvents();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("balloon: Error of recieving News | Bad Internet Connetion\\nPlease, "
                       "check up connection\n"),
              std::string::npos)
        << log;
    ASSERT_EQ(m_fakes.notifier.shown.size(), 1);
    EXPECT_EQ(
        m_fakes.notifier.shown[0],
        "Error of recieving News|Bad Internet Connetion\nPlease, check up connection|3|10000");
}

TEST_F(ShellServicesTest, OpenUrlEncodesWebAddressesAndIgnoresEmptyOnes)
{
    m_form->OpenURL("");
    m_form->OpenURL("http://h.example/a b?q=\xC3\xA9");
    m_form->OpenURL("/tmp/a b.txt");
    std::thread worker([this] { m_form->OpenURL("http://127.0.0.1:4775/?q=a b"); });
    worker.join();
    QApplication::processEvents();
    EXPECT_EQ(m_fakes.opener.opened, QStringList({"http://h.example/a%20b?q=%C3%A9", "/tmp/a b.txt",
                                                  "http://127.0.0.1:4775/?q=a b"}));
}

// Also run under LC_ALL=de_DE.UTF-8 (see CMakeLists.txt), where the names must be German.
TEST_F(ShellServicesTest, ClockBlinksAndSpeaksTheUserLocale)
{
    const QLocale locale = QLocale::system();
    EXPECT_EQ(text("TimeLabel"), "00:00");
    m_form->ClockTimerTimer();
    EXPECT_EQ(text("TimeLabel"), "09 05");
    m_form->ClockTimerTimer();
    EXPECT_EQ(text("TimeLabel"), "09:05");
    m_fakes.clock.time = QDateTime(QDate(2026, 12, 11), QTime(21, 5));
    m_form->ClockTimerTimer();
    EXPECT_EQ(text("TimeLabel"), "21 05");
    EXPECT_EQ(text("DayOfWeek"), locale.dayName(5));
    EXPECT_EQ(text("LDate"), locale.monthName(12) + " 11 2026");
    if (locale.language() == QLocale::German) {
        EXPECT_EQ(text("DayOfWeek"), "Freitag");
        EXPECT_EQ(text("LDate"), "Dezember 11 2026");
    }
}

TEST_F(ShellServicesTest, DockingFollowsIsAppBar)
{
    m_globals.IsAppBar = true;
    m_form->show();
    QApplication::processEvents();
    EXPECT_EQ(m_fakes.dock.calls.first(), "prepare");
    EXPECT_TRUE(m_fakes.dock.calls.contains(
        "reserve 217 of " + QString::number(QGuiApplication::primaryScreen()->geometry().width())));
    EXPECT_EQ(m_form->AppBarRecord().width(), 217);
    EXPECT_EQ(m_form->AppBarRecord().right(), QGuiApplication::primaryScreen()->geometry().right());
    EXPECT_EQ(m_form->windowOpacity(), 1.0);

    // Moved away, it comes back to where it was docked.
    m_form->move(10, 10);
    m_form->AllignCheckTimerTimer();
    EXPECT_EQ(m_form->pos(), m_form->AppBarRecord().topLeft());

    // Hidden, it gives its strip back and stays transparent.
    m_fakes.dock.calls.clear();
    m_form->HideApp();
    EXPECT_EQ(m_fakes.dock.calls, QStringList({"release", "above"}));
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_form->windowOpacity(), 0.0);

    // Floating: no strip, on top, re-armed timer runs 2.5 s later.
    m_globals.IsAppBar = false;
    m_fakes.dock.calls.clear();
    m_form->ShowApp();
    EXPECT_FALSE(m_fakes.dock.calls.filter("reserve").size());
    EXPECT_TRUE(m_fakes.dock.calls.contains("above"));
    EXPECT_EQ(m_form->appBarTimer()->interval(), 2500);
    EXPECT_FALSE(m_form->appBarTimer()->isActive());
    EXPECT_EQ(m_form->windowOpacity(), 1.0);
}

} // namespace
