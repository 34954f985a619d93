#include "search/SearchBox.h"

#include "search/WebText.h"
#include "shell/SidebarServices.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

SearchBox::SearchBox(QWidget* panel, QLineEdit* edit, QMenu* menu, QAction* desktopItem,
                     QAction* internetItem, QWidget* actionOwner, SidebarServices& services)
    : QObject(actionOwner), m_edit(edit), m_menu(menu), m_desktopItem(desktopItem),
      m_services(services)
{
    setObjectName(QStringLiteral("SearchBox"));
    QFont font(QStringLiteral("FuturaFuturisC"));
    font.setPixelSize(13);
    m_edit->setFont(font);
    m_edit->installEventFilter(this);

    // Transparent: the button is drawn on the panel's background.
    m_activePic = new QWidget(panel);
    m_activePic->setObjectName(QStringLiteral("SearchActivePic"));
    m_activePic->setAccessibleName(QStringLiteral("Search"));
    m_activePic->setGeometry(154, 14, 47, 19);
    m_activePic->setCursor(Qt::PointingHandCursor);
    m_activePic->installEventFilter(this);

    m_shortRequest = new QAction(QStringLiteral("ShortRequest"), actionOwner);
    m_shortRequest->setObjectName(QStringLiteral("ShortRequest"));
    actionOwner->addAction(m_shortRequest);
    connect(m_shortRequest, &QAction::triggered, this, &SearchBox::ShortRequestExecute);
    connect(desktopItem, &QAction::triggered, this, &SearchBox::DesktopSearch1Click);
    connect(internetItem, &QAction::triggered, this, &SearchBox::InternetSearch1Click);
}

bool SearchBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            SearchEditKeyPress(QLatin1Char('\r'));
        // The key goes on to the edit field either way.
        return false;
    }
    if (watched == m_activePic) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            SearchExecute();
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            m_menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void SearchBox::search(QString (*address)(const QString& text))
{
    const QString text = m_edit->text();
    if (text.toUcs4().size() < 2) {
        m_shortRequest->trigger();
        return;
    }
    m_services.OpenURL(address(text));
}

void SearchBox::SearchEditKeyPress(QChar key)
{
    if (key != QLatin1Char('\r'))
        return;
    search(m_desktopItem->isVisible() ? &WebText::desktopSearchAddress
                                      : &WebText::vendorSearchAddress);
}

void SearchBox::SearchExecute()
{
    m_menu->popup(QCursor::pos());
}

void SearchBox::DesktopSearch1Click()
{
    search(&WebText::desktopSearchAddress);
}

void SearchBox::InternetSearch1Click()
{
    search(&WebText::vendorSearchAddress);
}

void SearchBox::ShortRequestExecute()
{
    m_services.ShowBaloon(QStringLiteral("Warning!"),
                          QStringLiteral("Query length must be more than one symbol."),
                          SidebarServices::Warning, 5);
}
