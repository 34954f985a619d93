#pragma once

#include <QProxyStyle>

// The program's look on top of Fusion: popup menus carry a side line with the
// product name in red along their left edge.
class SidebarStyle : public QProxyStyle
{
    Q_OBJECT
public:
    SidebarStyle();

    static constexpr int kMenuSideLineWidth = 22;
    static QString menuSideLineText() { return QStringLiteral("Lanternfly Desktop"); }
    static QFont sideLineFont();
    // Free fonts from Debian in place of the faces the design names.
    static void installFontSubstitutes();

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};
