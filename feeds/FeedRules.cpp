#include "feeds/FeedRules.h"

#include "shell/SidebarServices.h"

namespace FeedRules {

int downloadInterval(int storedMs, int defaultMs)
{
    return storedMs >= kMinIntervalMs ? storedMs : defaultMs;
}

bool announceFailure(bool& netErrorShown, SidebarServices& services, const QString& title,
                     const QString& text)
{
    if (netErrorShown)
        return false;
    services.ShowBaloon(title, text, SidebarServices::Error, kNoticeTimeout);
    netErrorShown = true;
    return true;
}

} // namespace FeedRules
