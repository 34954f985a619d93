#include "shell/SidebarStyle.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

SidebarStyle::SidebarStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QFont SidebarStyle::sideLineFont()
{
    QFont font(QStringLiteral("FuturaFuturisC"));
    font.setPixelSize(19);
    return font;
}

void SidebarStyle::installFontSubstitutes()
{
    // URW Gothic (fonts-urw-base35) is a geometric sans with Cyrillic of the
    // same widths as the clock's face; Tahoma's stand-in is DejaVu Sans.
    QFont::insertSubstitutions(QStringLiteral("Century Gothic"),
                               {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("FuturaFuturisC"),
                               {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
}

void SidebarStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        // Room for the side line; the items start to its right.
        QMargins margins = menu->contentsMargins();
        margins.setLeft(kMenuSideLineWidth);
        menu->setContentsMargins(margins);
        // Tall enough for the whole name, however few items the menu has.
        menu->setMinimumHeight(QFontMetrics(sideLineFont()).horizontalAdvance(menuSideLineText()) +
                               16);
    }
}

void SidebarStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_PanelMenu || !qobject_cast<const QMenu*>(widget))
        return;
    const QRect strip(option->rect.left() + 1, option->rect.top() + 1, kMenuSideLineWidth - 3,
                      option->rect.height() - 2);
    painter->save();
    painter->fillRect(strip, QColor(0xee, 0xea, 0xe6));
    painter->setFont(sideLineFont());
    painter->setPen(QColor(0xc8, 0x1e, 0x1e));
    painter->setClipRect(strip);
    // Reads upwards from the bottom corner, as side banners do.
    painter->translate(strip.left(), strip.bottom());
    painter->rotate(-90);
    painter->drawText(QRect(4, 0, strip.height() - 8, strip.width()),
                      Qt::AlignLeft | Qt::AlignVCenter, menuSideLineText());
    painter->restore();
}
