#pragma once

#include "shell/SidebarServices.h"

#include <QStringList>

// Records the balloons and addresses asked of the sidebar.
class RecordingServices : public SidebarServices
{
public:
    struct Balloon
    {
        QString title;
        QString text;
        int icon;
        int timeout;
    };
    void ShowBaloon(const QString& title, const QString& text, int icon, int timeout) override
    {
        balloons.push_back({title, text, icon, timeout});
    }
    void OpenURL(const QString& address) override { opened << address; }

    std::vector<Balloon> balloons;
    QStringList opened;
};
