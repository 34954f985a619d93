#pragma once

#include <QString>

class SidebarServices;

namespace FeedRules {

// A stored interval is honoured from this many milliseconds up; anything
// smaller (zero, negative, a slip of the hand) would hammer the service.
constexpr int kMinIntervalMs = 1000;
int downloadInterval(int storedMs, int defaultMs);

// The one failure notice of all feeds: announced only while no notice is
// pending since some feed last showed data; announcing marks it pending.
// Returns whether the balloon went out.
bool announceFailure(bool& netErrorShown, SidebarServices& services, const QString& title,
                     const QString& text);

constexpr int kNoticeTimeout = 15;

} // namespace FeedRules
