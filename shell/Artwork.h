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
QPixmap sidebarBackground(int width, int height);
QIcon trayIcon();

} // namespace Artwork
