#include "shell/ClickableImage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(const QString& name, const QPixmap& picture, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setPixmap(picture);
    setFixedSize(picture.deviceIndependentSize().toSize());
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(name);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        return;
    if (event->button() == Qt::LeftButton)
        emit clicked();
    else if (event->button() == Qt::RightButton)
        emit rightClicked(event->globalPosition().toPoint());
}
