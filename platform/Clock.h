#pragma once

#include <QDateTime>

// The time as the program reads it. Everything that compares with "now"
// (clock, reminders, feeds, the upcoming-events window) asks a Clock, so tests
// can set and advance time instead of sleeping.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};
