#include "indexer/DocumentText.h"

#include "indexer/IndexerLog.h"
#include "indexer/MarkupText.h"
#include "indexer/TextDecoder.h"
#include "indexer/ZipArchive.h"

#include <algorithm>
#include <mutex>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

namespace {

void quietPoppler(const std::string& message, void*)
{
    qCDebug(lcIndexer).noquote() << "pdf:" << QString::fromStdString(message);
}

size_t roomLeft(const std::string& out, size_t start, const ExtractionLimits& limits)
{
    const size_t used = out.size() - start;
    return used >= limits.maxTextBytes ? 0 : limits.maxTextBytes - used;
}

// Member names in their natural order, so slide10 follows slide9.
bool naturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei, j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i, ++j;
    }
    return a.size() - i < b.size() - j;
}

std::vector<std::string> membersMatching(const ZipArchive& zip, const std::string& prefix,
                                         const std::vector<std::string>& suffixes)
{
    std::vector<std::string> found;
    for (const std::string& name : zip.names()) {
        if (name.rfind(prefix, 0) != 0)
            continue;
        for (const std::string& suffix : suffixes)
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                found.push_back(name);
                break;
            }
    }
    std::sort(found.begin(), found.end(), naturalLess);
    return found;
}

} // namespace

bool DocumentText::appendPdf(const std::string& path, const ExtractionLimits& limits,
                             const Deadline& deadline, std::string& out)
{
    static std::once_flag quiet;
    std::call_once(quiet, [] { poppler::set_debug_error_function(quietPoppler, nullptr); });

    const size_t start = out.size();
    std::unique_ptr<poppler::document> document(poppler::document::load_from_file(path));
    if (!document || document->is_locked())
        return true; // unreadable or encrypted: the name is all there is
    const int pages = document->pages();
    for (int i = 0; i < pages; ++i) {
        if (deadline.passed())
            return false;
        std::unique_ptr<poppler::page> page(document->create_page(i));
        if (!page)
            continue;
        const poppler::byte_array utf8 = page->text().to_utf8();
        std::string text(utf8.begin(), utf8.end());
        const size_t room = roomLeft(out, start, limits);
        if (!MarkupText::appendPlain(text, out, room))
            return false;
    }
    return true;
}

bool DocumentText::appendContainer(const std::string& path, Container kind,
                                   const ExtractionLimits& limits, const Deadline& deadline,
                                   std::string& out)
{
    ZipArchive zip(path, limits.maxContainerBytes);
    if (!zip.isOpen())
        return true;
    std::vector<std::string> members;
    MarkupText::Dialect dialect = MarkupText::Dialect::Office;
    switch (kind) {
    case Container::OpenDocument:
        members = {"meta.xml", "content.xml"};
        break;
    case Container::WordDocument:
        members = membersMatching(zip, "word/header", {".xml"});
        members.insert(members.begin(), "word/document.xml");
        for (const auto& more : membersMatching(zip, "word/footnotes", {".xml"}))
            members.push_back(more);
        break;
    case Container::Workbook:
        members = membersMatching(zip, "xl/worksheets/sheet", {".xml"});
        members.insert(members.begin(), "xl/sharedStrings.xml");
        break;
    case Container::Presentation:
        members = membersMatching(zip, "ppt/slides/slide", {".xml"});
        for (const auto& notes : membersMatching(zip, "ppt/notesSlides/", {".xml"}))
            members.push_back(notes);
        break;
    case Container::Epub:
        members = membersMatching(zip, "", {".xhtml", ".html", ".htm"});
        dialect = MarkupText::Dialect::Html;
        break;
    }

    const size_t start = out.size();
    for (const std::string& member : members) {
        if (deadline.passed())
            return false;
        std::string xml;
        if (!zip.read(member, xml) && xml.empty()) {
            if (zip.exhausted())
                return false;
            continue;
        }
        // Members are UTF-8 or say otherwise in their prolog.
        const std::string charset = MarkupText::declaredCharset(xml);
        if (!charset.empty() && charset != "utf-8")
            xml = TextDecoder::toUtf8(xml, charset);
        if (!MarkupText::appendText(xml, dialect, out, roomLeft(out, start, limits)))
            return false;
        if (zip.exhausted())
            return false;
    }
    return true;
}
