#pragma once

#include "indexer/ExtractionLimits.h"

#include <string>

// What a file yields for the catalogue.
struct Extraction
{
    std::string text;       // UTF-8; empty for files indexed by name only
    bool truncated = false; // a limit stopped the reading early
    bool failed = false;    // the file could not be read at all
    std::string format;     // what it was read as, for the log ("pdf", "html", "binary" ...)
};

// Picks the reader for a file by its first bytes and its extension, and reads
// its text within the limits. Never throws: a broken file gives what could be
// read, a binary file no text.
class TextExtractor
{
public:
    explicit TextExtractor(ExtractionLimits limits = {}) : m_limits(limits) {}
    Extraction extract(const std::string& nativePath, long long size) const;
    const ExtractionLimits& limits() const { return m_limits; }

private:
    ExtractionLimits m_limits;
};
