#include "indexer/TextExtractor.h"

#include "indexer/DocumentText.h"
#include "indexer/MarkupText.h"
#include "indexer/RtfText.h"
#include "indexer/TextDecoder.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Kind
{
    Text,
    Html,
    Xml,
    Rtf,
    Pdf,
    OpenDocument,
    WordDocument,
    Workbook,
    Presentation,
    Epub,
    Binary,
};

struct ExtensionKind
{
    std::string_view extension;
    Kind kind;
};

constexpr ExtensionKind kExtensions[] = {
    {"html", Kind::Html},         {"htm", Kind::Html},          {"xhtml", Kind::Html},
    {"shtml", Kind::Html},        {"xht", Kind::Html},          {"xml", Kind::Xml},
    {"svg", Kind::Xml},           {"xsl", Kind::Xml},           {"xslt", Kind::Xml},
    {"xsd", Kind::Xml},           {"rss", Kind::Xml},           {"atom", Kind::Xml},
    {"docbook", Kind::Xml},       {"rtf", Kind::Rtf},           {"pdf", Kind::Pdf},
    {"odt", Kind::OpenDocument},  {"ods", Kind::OpenDocument},  {"odp", Kind::OpenDocument},
    {"odg", Kind::OpenDocument},  {"ott", Kind::OpenDocument},  {"ots", Kind::OpenDocument},
    {"otp", Kind::OpenDocument},  {"docx", Kind::WordDocument}, {"docm", Kind::WordDocument},
    {"dotx", Kind::WordDocument}, {"xlsx", Kind::Workbook},     {"xlsm", Kind::Workbook},
    {"pptx", Kind::Presentation}, {"pptm", Kind::Presentation}, {"epub", Kind::Epub},
};

// Formats with no words to find: read neither their bytes nor their names' contents.
constexpr std::array<std::string_view, 52> kBinaryExtensions = {
    "png",  "jpg", "jpeg",   "gif",  "bmp", "ico", "webp",  "tif", "tiff", "psd",  "xcf",
    "mp3",  "ogg", "oga",    "flac", "wav", "m4a", "opus",  "mp4", "mkv",  "avi",  "mov",
    "webm", "zip", "gz",     "bz2",  "xz",  "zst", "7z",    "rar", "tar",  "iso",  "img",
    "so",   "o",   "a",      "bin",  "exe", "dll", "class", "jar", "pyc",  "woff", "woff2",
    "ttf",  "otf", "sqlite", "db",   "deb", "rpm", "qcow2", "wasm"};

std::string lowerExtension(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Reads up to max bytes; false when the file cannot be opened or read.
bool readHead(const std::string& path, size_t max, std::string& out)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    out.clear();
    // Sized by the file, so a small file does not pay for clearing a large buffer.
    struct stat info
    {};
    const size_t expected = ::fstat(fd, &info) == 0 && info.st_size >= 0
                                ? static_cast<size_t>(info.st_size) + 1
                                : size_t(65536);
    bool ok = true;
    while (out.size() < max) {
        const size_t want = std::min<size_t>(
            max - out.size(),
            std::max<size_t>(expected > out.size() ? expected - out.size() : 0, 65536));
        const size_t at = out.size();
        out.resize(at + want);
        const ssize_t got = ::read(fd, out.data() + at, want);
        if (got < 0 && errno == EINTR) {
            out.resize(at);
            continue;
        }
        if (got <= 0) {
            out.resize(at);
            ok = got == 0;
            break;
        }
        out.resize(at + static_cast<size_t>(got));
    }
    ::close(fd);
    return ok;
}

Kind kindOf(const std::string& extension, std::string_view head)
{
    // Content first: a PDF or RTF under another name is still one.
    if (head.substr(0, 5) == "%PDF-")
        return Kind::Pdf;
    if (head.substr(0, 5) == "{\\rtf")
        return Kind::Rtf;
    for (const auto& entry : kExtensions)
        if (entry.extension == extension)
            return entry.kind;
    if (std::find(kBinaryExtensions.begin(), kBinaryExtensions.end(), extension) !=
        kBinaryExtensions.end())
        return Kind::Binary;
    if (head.substr(0, 4) == "PK\x03\x04")
        return Kind::Binary;
    if (TextDecoder::looksBinary(head))
        return Kind::Binary;
    // Markup without a telling extension.
    std::string start(head.substr(0, 256));
    std::transform(start.begin(), start.end(), start.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t first = start.find_first_not_of(" \t\r\n\xef\xbb\xbf");
    if (first != std::string::npos) {
        const std::string_view lead = std::string_view(start).substr(first);
        if (lead.rfind("<!doctype html", 0) == 0 || lead.rfind("<html", 0) == 0)
            return Kind::Html;
        if (lead.rfind("<?xml", 0) == 0)
            return start.find("<html", first) != std::string::npos ? Kind::Html : Kind::Xml;
    }
    return Kind::Text;
}

const char* formatName(Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return "text";
    case Kind::Html:
        return "html";
    case Kind::Xml:
        return "xml";
    case Kind::Rtf:
        return "rtf";
    case Kind::Pdf:
        return "pdf";
    case Kind::OpenDocument:
        return "opendocument";
    case Kind::WordDocument:
        return "docx";
    case Kind::Workbook:
        return "xlsx";
    case Kind::Presentation:
        return "pptx";
    case Kind::Epub:
        return "epub";
    case Kind::Binary:
        return "binary";
    }
    return "unknown";
}

} // namespace

Extraction TextExtractor::extract(const std::string& path, long long size) const
{
    Extraction result;
    const Deadline deadline(m_limits.maxTime);
    std::string head;
    if (!readHead(path, 4096, head)) {
        result.failed = true;
        result.format = "unreadable";
        return result;
    }
    const Kind kind = kindOf(lowerExtension(path), head);
    result.format = formatName(kind);
    std::string& out = result.text;
    const size_t maxText = m_limits.maxTextBytes;

    switch (kind) {
    case Kind::Binary:
        break;
    case Kind::Text:
    case Kind::Html:
    case Kind::Xml:
    case Kind::Rtf: {
        std::string bytes;
        if (!readHead(path, m_limits.maxRawBytes, bytes)) {
            result.failed = true;
            break;
        }
        result.truncated = size > static_cast<long long>(m_limits.maxRawBytes);
        bool complete = true;
        if (kind == Kind::Rtf) {
            complete = RtfText::appendText(bytes, out, maxText);
        } else if (kind == Kind::Text) {
            const std::string text = TextDecoder::toUtf8(bytes);
            complete = MarkupText::appendPlain(text, out, maxText);
        } else {
            const std::string text = TextDecoder::toUtf8(bytes, MarkupText::declaredCharset(bytes));
            complete = MarkupText::appendText(
                text, kind == Kind::Html ? MarkupText::Dialect::Html : MarkupText::Dialect::Xml,
                out, maxText);
        }
        result.truncated = result.truncated || !complete;
        break;
    }
    case Kind::Pdf:
        if (size > static_cast<long long>(m_limits.maxPdfBytes)) {
            result.truncated = true;
            break;
        }
        result.truncated = !DocumentText::appendPdf(path, m_limits, deadline, out);
        break;
    case Kind::OpenDocument:
    case Kind::WordDocument:
    case Kind::Workbook:
    case Kind::Presentation:
    case Kind::Epub: {
        using Container = DocumentText::Container;
        const Container container = kind == Kind::OpenDocument   ? Container::OpenDocument
                                    : kind == Kind::WordDocument ? Container::WordDocument
                                    : kind == Kind::Workbook     ? Container::Workbook
                                    : kind == Kind::Presentation ? Container::Presentation
                                                                 : Container::Epub;
        result.truncated = !DocumentText::appendContainer(path, container, m_limits, deadline, out);
        break;
    }
    }
    return result;
}
