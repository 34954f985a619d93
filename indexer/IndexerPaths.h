#pragma once

#include <QString>

// Where the indexer keeps its files, after the XDG base directories.
namespace IndexerPaths {

// $XDG_CACHE_HOME/lanternfly-desktop (default ~/.cache/lanternfly-desktop)
QString cacheFolder();
QString catalogPath();
// The file being read right now, so a crash can be pinned on it.
QString extractionMarkerPath();
// $XDG_CONFIG_HOME/lanternfly-desktop/ContentIndex.ini
QString parameterFilePath();
// One service per user: $XDG_RUNTIME_DIR/lanternfly-index.lock, or the temp folder.
QString serviceLockPath();

} // namespace IndexerPaths
