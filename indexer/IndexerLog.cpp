#include "indexer/IndexerLog.h"

Q_LOGGING_CATEGORY(lcIndexer, "lf.indexer", QtInfoMsg)
