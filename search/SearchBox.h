#pragma once

#include <QObject>
#include <QString>

class QAction;
class QLineEdit;
class QMenu;
class QWidget;
class SidebarServices;

// The search panel's behaviour: Enter in SearchEdit searches the desktop (or
// the internet where the desktop search is not offered), the button area
// SearchActivePic opens SearchMenu, and a text shorter than two characters
// raises the ShortRequest warning instead.
class SearchBox : public QObject
{
    Q_OBJECT
public:
    // Creates SearchActivePic on panel and the action ShortRequest owned by
    // actionOwner (the main window); the edit, menu and items exist already.
    SearchBox(QWidget* panel, QLineEdit* edit, QMenu* menu, QAction* desktopItem,
              QAction* internetItem, QWidget* actionOwner, SidebarServices& services);

    void SearchEditKeyPress(QChar key);
    void SearchExecute();
    void DesktopSearch1Click();
    void InternetSearch1Click();
    void ShortRequestExecute();

    QWidget* activePicture() const { return m_activePic; }
    QAction* shortRequest() const { return m_shortRequest; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Opens the address made of the text, or warns when the text is too short.
    void search(QString (*address)(const QString& text));

    QLineEdit* m_edit;
    QMenu* m_menu;
    QAction* m_desktopItem;
    QWidget* m_activePic;
    QAction* m_shortRequest;
    SidebarServices& m_services;
};
