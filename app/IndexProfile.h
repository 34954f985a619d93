#pragma once

// Applies resource profile 1, 2 or 3 to the indexer's parameter file, which
// the running indexer re-reads. Only an existing file is changed; another
// number, a missing file or a failed write changes nothing and is only logged.
void applyIndexProfile(int profile);
