#include "shell/SidebarPanel.h"

#include <QMenu>
#include <QPainter>

SidebarPanel::SidebarPanel(const QString& name, const QPixmap& background, QWidget* parent)
    : QWidget(parent), m_background(background)
{
    setObjectName(name);
    setFixedSize(m_background.deviceIndependentSize().toSize());
}

void SidebarPanel::setContextMenu(QMenu* menu)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint& at) { menu->popup(mapToGlobal(at)); });
}

void SidebarPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}
