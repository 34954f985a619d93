#include "shell/Artwork.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Artwork {
namespace {

const QColor kInk(0x3a, 0x4a, 0x5c);
const QColor kEdge(0xb8, 0xc3, 0xcc);

// Drawn at the screen's pixel ratio so that the sidebar stays sharp when scaled.
QPixmap canvas(int width, int height)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(width, height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap titleStrip(int width, int height)
{
    QPixmap pixmap = canvas(width, height);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor(0x5d, 0x72, 0x87));
    gradient.setColorAt(1, QColor(0x41, 0x53, 0x66));
    painter.fillRect(0, 0, width, height, gradient);
    painter.setPen(QColor(0x2f, 0x3d, 0x4b));
    painter.drawLine(0, height - 1, width, height - 1);
    return pixmap;
}

QPixmap titleButton(TitleButton kind)
{
    QPixmap pixmap = canvas(17, 17);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 16, 16), 3, 3);
    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    switch (kind) {
    case TitleButton::Add:
        painter.drawLine(QPointF(8.5, 4.5), QPointF(8.5, 12.5));
        painter.drawLine(QPointF(4.5, 8.5), QPointF(12.5, 8.5));
        break;
    case TitleButton::Minimize:
        painter.drawLine(QPointF(4.5, 12), QPointF(12.5, 12));
        break;
    case TitleButton::Close:
        painter.drawLine(QPointF(5, 5), QPointF(12, 12));
        painter.drawLine(QPointF(12, 5), QPointF(5, 12));
        break;
    }
    return pixmap;
}

QPixmap panelBackground(int width, int height)
{
    QPixmap pixmap = canvas(width, height);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor(0xfa, 0xfb, 0xfc));
    gradient.setColorAt(1, QColor(0xe9, 0xee, 0xf2));
    painter.fillRect(0, 0, width, height, gradient);
    painter.setPen(kEdge);
    painter.drawLine(0, height - 1, width, height - 1);
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, width, 0);
    return pixmap;
}

QPixmap searchPanelBackground(int width, int height)
{
    QPixmap pixmap = panelBackground(width, height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QLinearGradient box(0, 8, 0, 44);
    box.setColorAt(0, QColor(0x51, 0x64, 0x78));
    box.setColorAt(1, QColor(0x3a, 0x4a, 0x5c));
    painter.setBrush(box);
    painter.drawRoundedRect(QRectF(8, 7, width - 16, 38), 9, 9);
    painter.setBrush(QColor(0xE6, 0xE6, 0xE6));
    painter.drawRoundedRect(QRectF(12, 11, 144, 27), 5, 5);
    QLinearGradient button(0, 12, 0, 36);
    button.setColorAt(0, QColor(0xf4, 0xb2, 0x4a));
    button.setColorAt(1, QColor(0xd9, 0x86, 0x1c));
    painter.setBrush(button);
    painter.drawRoundedRect(QRectF(153, 12, 50, 25), 5, 5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(153, 12, 50, 25), Qt::AlignCenter, QStringLiteral("Search"));
    return pixmap;
}

QPixmap closeControl()
{
    QPixmap pixmap = canvas(9, 9);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(1.5, 1.5), QPointF(7.5, 7.5));
    painter.drawLine(QPointF(7.5, 1.5), QPointF(1.5, 7.5));
    return pixmap;
}

QPixmap sidebarBackground(int width, int height)
{
    QPixmap pixmap = canvas(width, height);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor(0xdf, 0xe5, 0xea));
    gradient.setColorAt(1, QColor(0xc9, 0xd2, 0xda));
    painter.fillRect(0, 0, width, height, gradient);
    return pixmap;
}

QIcon trayIcon()
{
    // A small lantern: a warm glow in a rounded frame, legible at 16 px.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(QPen(QColor(0x2f, 0x3d, 0x4b), 2));
        QRadialGradient glow(16, 18, 12);
        glow.setColorAt(0, QColor(0xff, 0xe3, 0x8a));
        glow.setColorAt(1, QColor(0xf0, 0x9a, 0x2a));
        painter.setBrush(glow);
        painter.drawRoundedRect(QRectF(7, 8, 18, 20), 6, 6);
        painter.drawLine(QPointF(12, 4), QPointF(20, 4));
        painter.drawLine(QPointF(16, 4), QPointF(16, 8));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon menuIcon(MenuIcon kind)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        switch (kind) {
        case MenuIcon::Exit:
            painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case MenuIcon::Settings: {
            painter.setBrush(QColor(0x8a, 0x9b, 0xad));
            QPainterPath gear;
            for (int tooth = 0; tooth < 8; ++tooth) {
                painter.save();
                painter.translate(8, 8);
                painter.rotate(tooth * 45);
                painter.drawRect(QRectF(-1.2, -7, 2.4, 3));
                painter.restore();
            }
            painter.drawEllipse(QPointF(8, 8), 4.8, 4.8);
            painter.setBrush(Qt::white);
            painter.drawEllipse(QPointF(8, 8), 1.8, 1.8);
            break;
        }
        case MenuIcon::DesktopSearch:
            painter.setBrush(QColor(0xdd, 0xe6, 0xee));
            painter.drawRoundedRect(QRectF(1.5, 2.5, 10, 8), 1, 1);
            painter.drawLine(QPointF(4, 13), QPointF(9, 13));
            painter.setBrush(Qt::white);
            painter.drawEllipse(QPointF(10.5, 9.5), 2.8, 2.8);
            painter.drawLine(QPointF(12.5, 11.5), QPointF(14.5, 13.5));
            break;
        case MenuIcon::InternetSearch:
            painter.setBrush(QColor(0xd6, 0xea, 0xf8));
            painter.drawEllipse(QPointF(7, 7), 5.5, 5.5);
            painter.drawLine(QPointF(1.5, 7), QPointF(12.5, 7));
            painter.drawEllipse(QPointF(7, 7), 2.5, 5.5);
            painter.drawLine(QPointF(11, 11), QPointF(14.5, 14.5));
            break;
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace Artwork
