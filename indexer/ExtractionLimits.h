#pragma once

#include <chrono>
#include <cstddef>

// How far one file is read: a file that reaches a limit is indexed as far as
// it got, so one huge or hostile file never stalls the catalogue.
struct ExtractionLimits
{
    size_t maxTextBytes = 8u << 20;           // extracted text kept per file
    size_t maxRawBytes = 64u << 20;           // bytes of a text or markup file read
    size_t maxContainerBytes = 256u << 20;    // decompressed bytes read from one zip container
    size_t maxPdfBytes = 512u << 20;          // larger PDF files get their name only
    std::chrono::milliseconds maxTime{20000}; // time spent on one file
};

// The moment a file's extraction has to stop.
class Deadline
{
public:
    explicit Deadline(std::chrono::milliseconds budget)
        : m_end(std::chrono::steady_clock::now() + budget)
    {}
    bool passed() const { return std::chrono::steady_clock::now() >= m_end; }

private:
    std::chrono::steady_clock::time_point m_end;
};
