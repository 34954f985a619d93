#include "indexer/ZipArchive.h"

#include <algorithm>
#include <zip.h>

ZipArchive::ZipArchive(const std::string& path, size_t budget) : m_budget(budget)
{
    int error = 0;
    m_zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

std::vector<std::string> ZipArchive::names() const
{
    std::vector<std::string> names;
    if (!m_zip)
        return names;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(m_zip, static_cast<zip_uint64_t>(i), 0))
            names.emplace_back(name);
    return names;
}

bool ZipArchive::contains(const std::string& name) const
{
    return m_zip && zip_name_locate(m_zip, name.c_str(), 0) >= 0;
}

bool ZipArchive::read(const std::string& name, std::string& out)
{
    if (!m_zip || m_budget == 0) {
        m_exhausted = m_exhausted || m_budget == 0;
        return false;
    }
    zip_file_t* file = zip_fopen(m_zip, name.c_str(), 0);
    if (!file)
        return false;
    char buffer[65536];
    bool ok = true;
    while (true) {
        const size_t want = std::min(sizeof buffer, m_budget);
        if (want == 0) {
            m_exhausted = true;
            break;
        }
        const zip_int64_t got = zip_fread(file, buffer, want);
        if (got < 0) {
            ok = false; // damaged data: keep what was read
            break;
        }
        if (got == 0)
            break;
        out.append(buffer, static_cast<size_t>(got));
        m_budget -= static_cast<size_t>(got);
    }
    zip_fclose(file);
    return ok;
}
