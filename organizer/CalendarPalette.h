#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

// Colours the calendar draws with, and the label colours an event can carry.
namespace CalendarPalette {

inline QColor eventFill(int labelColor)
{
    return labelColor == 0 ? QColor(0xcf, 0xe2, 0xff) : QColor::fromRgb(QRgb(labelColor));
}
inline QColor eventBorder()
{
    return QColor(0x3a, 0x6f, 0xb0);
}
inline QColor gridLine()
{
    return QColor(0xd5, 0xd9, 0xe0);
}
inline QColor headerFill()
{
    return QColor(0xee, 0xf1, 0xf5);
}
inline QColor selectionFill()
{
    return QColor(0x9c, 0xc3, 0xf0, 150);
}
inline QColor todayFill()
{
    return QColor(0xff, 0xf4, 0xd6);
}
inline QColor workHoursFill()
{
    return QColor(0xff, 0xff, 0xff);
}
inline QColor offHoursFill()
{
    return QColor(0xf4, 0xf6, 0xf9);
}

// The label colours offered by the event editor: name and 0xRRGGBB (0: none).
inline QList<QPair<QString, int>> labelColors()
{
    return {{QStringLiteral("None"), 0},
            {QStringLiteral("Important"), 0xf4a6a6},
            {QStringLiteral("Business"), 0xa6c8f4},
            {QStringLiteral("Personal"), 0xb8e6a6},
            {QStringLiteral("Vacation"), 0xf4e3a6},
            {QStringLiteral("Travel"), 0xd9c2f0},
            {QStringLiteral("Birthday"), 0xf7c8e0},
            {QStringLiteral("Needs preparation"), 0xf8d0a8}};
}

} // namespace CalendarPalette
