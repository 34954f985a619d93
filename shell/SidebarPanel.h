#pragma once

#include <QPixmap>
#include <QWidget>

// One panel of the sidebar's stack: full width, as tall as its background
// picture, which it paints at its top.
class SidebarPanel : public QWidget
{
    Q_OBJECT
public:
    SidebarPanel(const QString& name, const QPixmap& background, QWidget* parent);

    // Sets up the right-click menu of the panel.
    void setContextMenu(class QMenu* menu);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
};
