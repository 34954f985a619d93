#pragma once

#include <QString>

// What every panel and worker may ask of the sidebar: a notice at the tray and
// opening an address or file with the user's default application. Both are
// callable from any thread; calls from other threads are posted to the
// user-interface thread. Tests use a recording fake.
class SidebarServices
{
public:
    enum Icon
    {
        NoIcon = 0,
        Information = 1,
        Warning = 2,
        Error = 3
    };

    virtual ~SidebarServices() = default;
    virtual void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) = 0;
    virtual void OpenURL(const QString& address) = 0;
};
