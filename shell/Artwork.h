#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the sidebar, drawn at the sizes the layout is built on.
namespace Artwork {

enum class TitleButton
{
    Add,
    Minimize,
    Close
};

QPixmap titleStrip(int width, int height);
QPixmap titleButton(TitleButton kind);
QPixmap panelBackground(int width, int height);
QPixmap closeControl();
// A dark box with the light edit field on the left and a drawn "Search" button
// on the right, under the search panel's transparent button area.
QPixmap searchPanelBackground(int width, int height);
QPixmap sidebarBackground(int width, int height);
QIcon trayIcon();

// The shared 16 x 16 menu pictures.
enum class MenuIcon
{
    Exit = 0,
    Settings = 1,
    DesktopSearch = 2,
    InternetSearch = 3
};
QIcon menuIcon(MenuIcon kind);

} // namespace Artwork
