#pragma once

#include <QLabel>

// A small picture with a hand cursor that reports left and right clicks.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    ClickableImage(const QString& name, const QPixmap& picture, QWidget* parent);

signals:
    void clicked();
    void rightClicked(const QPoint& globalPosition);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
