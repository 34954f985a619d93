#pragma once

#include <QLabel>

// A text label of a feed panel: wraps at word boundaries within its height and
// ends the last line with an ellipsis when the text does not fit. The whole
// text stays the label's text (and accessible name). A clickable one shows a
// hand cursor and emits clicked() while it is enabled.
class FeedLabel : public QLabel
{
    Q_OBJECT
public:
    FeedLabel(const QString& name, QRect geometry, QWidget* parent, bool clickable = false);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_clickable;
};
