#include "search/SearchBox.h"

#include "tests/search/SearchTestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class SearchBoxTest : public ::testing::Test
{
protected:
    void typeAndEnter(const QString& text)
    {
        m_edit.setText(text);
        QTest::keyClick(&m_edit, Qt::Key_Return);
    }
    std::vector<QString> opened() const { return m_services.opened(); }
    size_t warnings() const
    {
        size_t count = 0;
        for (const auto& b : m_services.balloons())
            count += b.title == QLatin1String("Warning!") &&
                     b.text == QLatin1String("Query length must be more than one symbol.") &&
                     b.icon == 2 && b.timeout == 5;
        return count;
    }

    QWidget m_window;
    QWidget* m_panel = new QWidget(&m_window);
    QLineEdit m_edit{m_panel};
    QMenu m_menu;
    QAction* m_desktop = m_menu.addAction(QStringLiteral("Desktop Search"));
    QAction* m_internet = m_menu.addAction(QStringLiteral("Internet Search"));
    RecordingServices m_services;
    SearchBox m_box{m_panel, &m_edit, &m_menu, m_desktop, m_internet, &m_window, m_services};
};

TEST_F(SearchBoxTest, EnterSearchesTheDesktopWhereItIsOffered)
{
    typeAndEnter(QStringLiteral("a"));
    EXPECT_EQ(warnings(), 1u);
    EXPECT_TRUE(opened().empty());

    typeAndEnter(QStringLiteral("ab"));
    typeAndEnter(QStringLiteral("R&D #1 + 50%"));
    ASSERT_EQ(opened().size(), 2u);
    EXPECT_EQ(opened()[0], QStringLiteral("http://127.0.0.1:4775/?s=relevancy&p=0&q=ab"));
    // Encoded, so the server receives the text as typed.
    EXPECT_EQ(
        opened()[1],
        QStringLiteral("http://127.0.0.1:4775/?s=relevancy&p=0&q=R%26D%20%231%20%2B%2050%25"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("R&D #1 + 50%"));

    m_desktop->setVisible(false);
    typeAndEnter(QStringLiteral("two words"));
    ASSERT_EQ(opened().size(), 3u);
    // Unencoded here: opening a web address encodes it.
    EXPECT_EQ(opened()[2], QStringLiteral("http://www.lanternfly-desktop.com/search.php?q=two "
                                          "words&c=1&r=1&it=1&wes=0"));
}

TEST_F(SearchBoxTest, MenuItemsPickTheirSearchOnce)
{
    m_edit.setText(QStringLiteral("x"));
    m_internet->trigger();
    m_desktop->trigger();
    EXPECT_EQ(warnings(), 2u);

    m_edit.setText(QStringLiteral("notes"));
    m_internet->trigger();
    m_desktop->trigger();
    ASSERT_EQ(opened().size(), 2u);
    EXPECT_TRUE(opened()[0].startsWith(QStringLiteral("http://www.lanternfly-desktop.com/")));
    EXPECT_TRUE(opened()[1].startsWith(QStringLiteral("http://127.0.0.1:4775/")));
}

TEST_F(SearchBoxTest, ButtonAreaOpensTheMenu)
{
    QWidget* pic = m_box.activePicture();
    EXPECT_EQ(pic->objectName(), QStringLiteral("SearchActivePic"));
    EXPECT_EQ(pic->geometry(), QRect(154, 14, 47, 19));
    EXPECT_EQ(pic->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(m_box.shortRequest()->objectName(), QStringLiteral("ShortRequest"));
    m_window.show();
    QTest::mouseClick(pic, Qt::LeftButton);
    EXPECT_TRUE(m_menu.isVisible());
    m_menu.hide();
}

} // namespace
