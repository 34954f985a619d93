#include "organizer/NodesForm.h"

#include "app/LFGlobals.h"
#include "shell/MainForm.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

TEST(NodesFormTest, LineBreaksBecomeOneBlankEach)
{
    const struct
    {
        const char* memo;
        const char* note;
    } cases[] = {
        {"a\r\nb\r\nc", "a  b  c"}, // CR and LF each give a blank
        {"a\nb\nc", "a b c"},       // what the editor itself produces for typed lines
        {"ends with a break\r\n", "ends with a break  "},
        {"  kept  as  is  ", "  kept  as  is  "}, // nothing trimmed
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NodesForm::noteFromMemo(QString::fromUtf8(c.memo)), QString::fromUtf8(c.note))
            << c.memo;
}

class NoteEditingTest : public ::testing::Test
{
protected:
    QPlainTextEdit* memo() { return m_form.findChild<QPlainTextEdit*>("NodeMemo"); }
    QPushButton* button(const char* name) { return m_form.findChild<QPushButton*>(name); }
    void click(QWidget* widget)
    {
        const QPoint middle = widget->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, middle, widget->mapToGlobal(middle),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, middle, widget->mapToGlobal(middle),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }

    QLabel m_nodeLabel{QStringLiteral("Put Your Text Here...")};
    NodesForm m_form;
};

TEST_F(NoteEditingTest, ClickOpensTheEditorModallyOnTheNote)
{
    m_form.attachNote(&m_nodeLabel);
    EXPECT_FALSE(m_form.isVisible());
    click(&m_nodeLabel);
    EXPECT_TRUE(m_form.isVisible());
    EXPECT_TRUE(m_form.isModal());
    EXPECT_EQ(m_form.windowTitle(), "Notes");
    EXPECT_EQ(m_form.size(), QSize(346, 229));
    EXPECT_EQ(memo()->toPlainText(), "Put Your Text Here...");
    EXPECT_EQ(button("Save")->text(), "Save");
    EXPECT_EQ(button("CloseForm")->text(), "Close");
}

TEST_F(NoteEditingTest, SaveTypedLinesAsOneLine)
{
    m_form.NodeLabelClick(&m_nodeLabel);
    memo()->setPlainText(QStringLiteral("a\nb\nc\n"));
    click(button("Save"));
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(m_nodeLabel.text(), "a b c ");
}

TEST_F(NoteEditingTest, CloseDiscardsTheEditAndTheNextOpeningShowsTheNote)
{
    m_nodeLabel.setText(QStringLiteral("keep me"));
    m_form.NodeLabelClick(&m_nodeLabel);
    memo()->setPlainText(QStringLiteral("discarded"));
    click(button("CloseForm"));
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(m_nodeLabel.text(), "keep me");
    m_form.NodeLabelClick(&m_nodeLabel);
    EXPECT_EQ(memo()->toPlainText(), "keep me");
    m_form.reject(); // Escape: the same as Close
    EXPECT_EQ(m_nodeLabel.text(), "keep me");
}

class NoteAcrossRestartsTest : public ::testing::Test
{
protected:
    std::unique_ptr<MainForm> startSidebar()
    {
        m_globals = LFGlobals();
        return std::make_unique<MainForm>(m_globals, m_system,
                                          m_folder.filePath("lanternfly-desktop.INI"));
    }
    static QLabel* nodeLabel(MainForm& sidebar)
    {
        return sidebar.findChild<QLabel*>(QStringLiteral("NodeLabel"));
    }

    TestFolder m_folder;
    FakeSystemInfo m_system{m_folder.filePath("lanternfly-desktop")};
    LFGlobals m_globals;
};

TEST_F(NoteAcrossRestartsTest, FreshInstallShowsThePromptAndEditorOpensOnIt)
{
    m_folder.write("Temp.ini", {});
    auto sidebar = startSidebar();
    ASSERT_NE(nodeLabel(*sidebar), nullptr);
    EXPECT_EQ(nodeLabel(*sidebar)->text(), "Put Your Text Here...");
    // A note is text, never markup that could pull in pictures or links.
    EXPECT_EQ(nodeLabel(*sidebar)->textFormat(), Qt::PlainText);
    NodesForm form;
    form.NodeLabelClick(nodeLabel(*sidebar));
    EXPECT_EQ(form.findChild<QPlainTextEdit*>("NodeMemo")->toPlainText(), "Put Your Text Here...");
}

TEST_F(NoteAcrossRestartsTest, SavedNotesSurviveARestartEvenWhenEmpty)
{
    m_folder.write("Temp.ini", {});
    const struct
    {
        QString typed;
        QString expected;
    } cases[] = {{"first line\nsecond <b>line</b>", "first line second <b>line</b>"}, {"", ""}};
    for (const auto& [typed, expected] : cases) {
        {
            auto sidebar = startSidebar();
            NodesForm form;
            form.NodeLabelClick(nodeLabel(*sidebar));
            form.findChild<QPlainTextEdit*>("NodeMemo")->setPlainText(typed);
            form.SaveClick();
            EXPECT_EQ(nodeLabel(*sidebar)->text(), expected);
            sidebar->FormDestroy();
        }
        auto restarted = startSidebar();
        EXPECT_EQ(nodeLabel(*restarted)->text(), expected);
    }
}

} // namespace
