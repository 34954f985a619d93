#include "app/LFGlobals.h"
#include "organizer/OrgPanelController.h"
#include "organizer/ShedulerForm.h"
#include "tests/organizer/FakeClock.h"
#include "tests/organizer/RecordingServices.h"
#include "tests/organizer/TestDatabase.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 10), QTime(12, 0, 0));

class OrgPanelTest : public ::testing::Test
{
protected:
    OrgPanelTest() : m_clock(kNow)
    {
        m_globals.ProgramFolder = m_folder.path() + QLatin1Char('/');
        m_globals.PrevPeriod = QStringLiteral("PDay");
        m_globals.ReminderEnable = true;
        m_panel.setObjectName(QStringLiteral("OrgPanel"));
        for (int i = 1; i <= 3; ++i)
            new QLabel(QStringLiteral("placeholder"), &m_panel);
        m_panel.findChildren<QLabel*>()[0]->setObjectName(QStringLiteral("ORGLab1"));
    }
    void createDatabase()
    {
        ASSERT_TRUE(createOrganizerDatabase(m_folder.filePath("Organaizer.db")));
    }
    QLabel* label(int index) const
    {
        return m_panel.findChild<QLabel*>(QStringLiteral("ORGLab%1").arg(index));
    }

    TestFolder m_folder;
    LFGlobals m_globals;
    RecordingServices m_services;
    FakeClock m_clock;
    QWidget m_panel;
};

TEST_F(OrgPanelTest, MissingDatabaseIsAnnouncedAndNothingRefreshes)
{
    ShedulerForm form(m_globals, m_services, &m_panel, &m_clock);
    OrgPanelController* panel = form.panel();
    EXPECT_TRUE(panel->loadTimer()->isActive());
    EXPECT_EQ(panel->loadTimer()->interval(), 1000);

    panel->LoadORGTimerTimer();
    EXPECT_FALSE(panel->loadTimer()->isActive());
    ASSERT_EQ(m_services.balloons.size(), 1u);
    EXPECT_EQ(m_services.balloons[0].title, QStringLiteral("Error!"));
    EXPECT_EQ(m_services.balloons[0].text,
              QStringLiteral("Error loading organaizer\r\nTry to restart Lanternfly Desktop"));
    EXPECT_EQ(m_services.balloons[0].icon, 3);
    EXPECT_EQ(m_services.balloons[0].timeout, 15);
    EXPECT_FALSE(panel->refreshTimer()->isActive());
    // A re-arm from the settings dialog finds no database and changes nothing.
    panel->OrgTimerTimer();
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(label(i)->text().isEmpty());
}

TEST_F(OrgPanelTest, OpenFillsLabelsAndClicksOpenTheSchedulerAtTheFinish)
{
    createDatabase();
    ShedulerForm form(m_globals, m_services, &m_panel, &m_clock);
    OrgPanelController* panel = form.panel();

    // Before any refresh the click goes to now.
    QMouseEvent press(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label(2), &press);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.currentDate(), kNow.date());
    form.hide();

    panel->LoadORGTimerTimer();
    EXPECT_TRUE(m_services.balloons.empty());
    ASSERT_TRUE(panel->refreshTimer()->isActive());
    EXPECT_EQ(panel->refreshTimer()->interval(), 250);

    CalendarEvent event;
    event.start = kNow.addDays(20);
    event.finish = event.start.addSecs(3600);
    event.caption = QStringLiteral("Call Bob");
    event.message = QStringLiteral("Bring the report");
    form.store()->insert(event);
    panel->OrgTimerTimer();
    EXPECT_FALSE(panel->refreshTimer()->isActive());
    EXPECT_EQ(label(1)->text(),
              QString(QChar(0x00B0)) + QStringLiteral(" Call Bob.\r\nBring the report"));
    EXPECT_TRUE(label(2)->text().isEmpty());
    EXPECT_TRUE(label(3)->text().isEmpty());
    EXPECT_EQ(label(1)->geometry(), QRect(29, 23, 164, 26));
    EXPECT_EQ(label(3)->geometry(), QRect(29, 85, 164, 26));

    // The emptied third label still opens the calendar at the only event.
    QApplication::sendEvent(label(3), &press);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.currentDate(), event.finish.date());
}

} // namespace
