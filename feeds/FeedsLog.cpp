#include "feeds/FeedsLog.h"

Q_LOGGING_CATEGORY(lcFeeds, "lf.feeds", QtInfoMsg)
