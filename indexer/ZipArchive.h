#pragma once

#include <string>
#include <vector>

struct zip;

// Reads members of a zip container (office documents, EPUB) with a budget of
// decompressed bytes shared by every read, so a zip bomb costs no more than
// the budget.
class ZipArchive
{
public:
    ZipArchive(const std::string& path, size_t budget);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    std::vector<std::string> names() const;
    bool contains(const std::string& name) const;
    // Appends the member's bytes to out; false when it is missing or unreadable.
    // Stops at the budget and sets exhausted().
    bool read(const std::string& name, std::string& out);
    bool exhausted() const { return m_exhausted; }

private:
    zip* m_zip = nullptr;
    size_t m_budget;
    bool m_exhausted = false;
};
