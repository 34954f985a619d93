#include "organizer/NodesForm.h"

#include "app/TextUtils.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

NodesForm::NodesForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("NodesForm"));
    setWindowTitle(QStringLiteral("Notes"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(346, 229);
    // The sidebar takes no clicks while the note is being edited.
    setWindowModality(Qt::ApplicationModal);

    auto* caption = new QLabel(QStringLiteral("Note Text"), this);
    caption->setObjectName(QStringLiteral("NoteTextLabel"));
    caption->move(8, 8);
    caption->adjustSize();

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("NodeMemo"));
    m_memo->setAccessibleName(QStringLiteral("Note Text"));
    m_memo->setGeometry(8, 27, 330, 159);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setFont(QFont(QStringLiteral("Tahoma"), 8));
    m_memo->setStyleSheet(QStringLiteral("background: white; color: black;"));

    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("Save"));
    m_save->setGeometry(263, 196, 75, 25);
    m_save->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &NodesForm::SaveClick);

    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("CloseForm"));
    m_close->setGeometry(8, 196, 75, 25);
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &NodesForm::CloseFormClick);
}

void NodesForm::attachNote(QLabel* nodeLabel)
{
    if (!nodeLabel)
        return;
    nodeLabel->setCursor(Qt::PointingHandCursor);
    nodeLabel->installEventFilter(this);
}

bool NodesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->pos())) {
            NodeLabelClick(label);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void NodesForm::NodeLabelClick(QLabel* nodeLabel)
{
    m_nodeLabel = nodeLabel;
    m_memo->setPlainText(nodeLabel->text());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    m_memo->setFocus();
}

QString NodesForm::noteFromMemo(const QString& memoText)
{
    QString note;
    ReplaceLineBreaks(memoText, QStringLiteral(" "), note);
    return note;
}

void NodesForm::SaveClick()
{
    if (m_nodeLabel)
        m_nodeLabel->setText(noteFromMemo(m_memo->toPlainText()));
    accept();
}

void NodesForm::CloseFormClick()
{
    // Escape and a close request from the window manager end up here too.
    reject();
}
