#include "search/SearchLog.h"

Q_LOGGING_CATEGORY(lcSearch, "lf.search", QtInfoMsg)
