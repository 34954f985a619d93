#pragma once

#include <QString>

// Desktop notifications ("balloons").
class Notifier
{
public:
    virtual ~Notifier() = default;
    // icon: 0 none, 1 information, 2 warning, 3 error. False when no
    // notification service took it, so the caller can fall back.
    virtual bool notify(const QString& title, const QString& text, int icon, int timeoutMs) = 0;
};

// org.freedesktop.Notifications on the session bus.
class FreedesktopNotifier : public Notifier
{
public:
    bool notify(const QString& title, const QString& text, int icon, int timeoutMs) override;
};
