#include "feeds/FeedLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

FeedLabel::FeedLabel(const QString& name, QRect geometry, QWidget* parent, bool clickable)
    : QLabel(parent), m_clickable(clickable)
{
    setObjectName(name);
    setGeometry(geometry);
    setWordWrap(true);
    // Feed texts are shown as written, never interpreted as markup.
    setTextFormat(Qt::PlainText);
    if (clickable)
        setCursor(Qt::PointingHandCursor);
}

void FeedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QFontMetrics metrics(font());
    const int width = contentsRect().width();
    const int lines = qMax(1, contentsRect().height() / metrics.lineSpacing());
    const QString text = this->text();

    QTextLayout layout(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int y = contentsRect().top();
    for (int n = 0; n < lines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        const bool last = n == lines - 1;
        const QString rest = text.mid(line.textStart());
        if (last && line.textStart() + line.textLength() < text.size()) {
            // The remainder does not fit: end this line with an ellipsis.
            painter.drawText(QPoint(contentsRect().left(), y + metrics.ascent()),
                             metrics.elidedText(rest.simplified(), Qt::ElideRight, width));
            break;
        }
        painter.drawText(QPoint(contentsRect().left(), y + metrics.ascent()),
                         text.mid(line.textStart(), line.textLength()).trimmed());
        y += metrics.lineSpacing();
    }
    layout.endLayout();
}

void FeedLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (m_clickable && isEnabled() && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}
