#include "indexer/MarkupText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

bool equalsLower(std::string_view a, std::string_view lowerB)
{
    if (a.size() != lowerB.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (static_cast<char>(std::tolower(static_cast<unsigned char>(a[i]))) != lowerB[i])
            return false;
    return true;
}

bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == ':' || c == '-' || c == '_' ||
           c == '.';
}

template <size_t N> bool inList(std::string_view name, const std::array<std::string_view, N>& list)
{
    return std::any_of(list.begin(), list.end(),
                       [&](std::string_view item) { return equalsLower(name, item); });
}

constexpr std::array<std::string_view, 27> kHtmlInline = {
    "a",    "abbr",   "b",   "bdi", "bdo",  "cite", "code", "data", "dfn",
    "em",   "font",   "i",   "kbd", "mark", "q",    "s",    "samp", "small",
    "span", "strong", "sub", "sup", "time", "tt",   "u",    "var",  "wbr"};
constexpr std::array<std::string_view, 14> kOfficeSeparators = {
    "p", "h",  "tab", "br",  "s",          "line-break", "si",
    "c", "tc", "tr",  "row", "table-cell", "list-item",  "cr"};

// The local name of an office tag, without its namespace prefix.
std::string_view localName(std::string_view name)
{
    const size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

struct NamedEntity
{
    const char* name;
    unsigned codePoint;
};

// The entities that occur in real documents: XML's five, Latin-1 and typography.
constexpr NamedEntity kEntities[] = {
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"nbsp", 0xa0},     {"iexcl", 0xa1},    {"cent", 0xa2},
    {"pound", 0xa3},    {"curren", 0xa4},   {"yen", 0xa5},      {"brvbar", 0xa6},
    {"sect", 0xa7},     {"uml", 0xa8},      {"copy", 0xa9},     {"ordf", 0xaa},
    {"laquo", 0xab},    {"not", 0xac},      {"shy", 0xad},      {"reg", 0xae},
    {"macr", 0xaf},     {"deg", 0xb0},      {"plusmn", 0xb1},   {"sup2", 0xb2},
    {"sup3", 0xb3},     {"acute", 0xb4},    {"micro", 0xb5},    {"para", 0xb6},
    {"middot", 0xb7},   {"cedil", 0xb8},    {"sup1", 0xb9},     {"ordm", 0xba},
    {"raquo", 0xbb},    {"frac14", 0xbc},   {"frac12", 0xbd},   {"frac34", 0xbe},
    {"iquest", 0xbf},   {"Agrave", 0xc0},   {"Aacute", 0xc1},   {"Acirc", 0xc2},
    {"Atilde", 0xc3},   {"Auml", 0xc4},     {"Aring", 0xc5},    {"AElig", 0xc6},
    {"Ccedil", 0xc7},   {"Egrave", 0xc8},   {"Eacute", 0xc9},   {"Ecirc", 0xca},
    {"Euml", 0xcb},     {"Igrave", 0xcc},   {"Iacute", 0xcd},   {"Icirc", 0xce},
    {"Iuml", 0xcf},     {"ETH", 0xd0},      {"Ntilde", 0xd1},   {"Ograve", 0xd2},
    {"Oacute", 0xd3},   {"Ocirc", 0xd4},    {"Otilde", 0xd5},   {"Ouml", 0xd6},
    {"times", 0xd7},    {"Oslash", 0xd8},   {"Ugrave", 0xd9},   {"Uacute", 0xda},
    {"Ucirc", 0xdb},    {"Uuml", 0xdc},     {"Yacute", 0xdd},   {"THORN", 0xde},
    {"szlig", 0xdf},    {"agrave", 0xe0},   {"aacute", 0xe1},   {"acirc", 0xe2},
    {"atilde", 0xe3},   {"auml", 0xe4},     {"aring", 0xe5},    {"aelig", 0xe6},
    {"ccedil", 0xe7},   {"egrave", 0xe8},   {"eacute", 0xe9},   {"ecirc", 0xea},
    {"euml", 0xeb},     {"igrave", 0xec},   {"iacute", 0xed},   {"icirc", 0xee},
    {"iuml", 0xef},     {"eth", 0xf0},      {"ntilde", 0xf1},   {"ograve", 0xf2},
    {"oacute", 0xf3},   {"ocirc", 0xf4},    {"otilde", 0xf5},   {"ouml", 0xf6},
    {"divide", 0xf7},   {"oslash", 0xf8},   {"ugrave", 0xf9},   {"uacute", 0xfa},
    {"ucirc", 0xfb},    {"uuml", 0xfc},     {"yacute", 0xfd},   {"thorn", 0xfe},
    {"yuml", 0xff},     {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},
    {"scaron", 0x161},  {"Yuml", 0x178},    {"fnof", 0x192},    {"circ", 0x2c6},
    {"tilde", 0x2dc},   {"ensp", 0x2002},   {"emsp", 0x2003},   {"thinsp", 0x2009},
    {"zwnj", 0x200c},   {"zwj", 0x200d},    {"ndash", 0x2013},  {"mdash", 0x2014},
    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"sbquo", 0x201a},  {"ldquo", 0x201c},
    {"rdquo", 0x201d},  {"bdquo", 0x201e},  {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"bull", 0x2022},   {"hellip", 0x2026}, {"permil", 0x2030}, {"prime", 0x2032},
    {"lsaquo", 0x2039}, {"rsaquo", 0x203a}, {"euro", 0x20ac},   {"trade", 0x2122},
    {"larr", 0x2190},   {"uarr", 0x2191},   {"rarr", 0x2192},   {"darr", 0x2193},
    {"harr", 0x2194},   {"minus", 0x2212},  {"le", 0x2264},     {"ge", 0x2265},
    {"ne", 0x2260},     {"infin", 0x221e},  {"alpha", 0x3b1},   {"beta", 0x3b2},
    {"gamma", 0x3b3},   {"delta", 0x3b4},   {"pi", 0x3c0},      {"lambda", 0x3bb},
    {"mu", 0x3bc},      {"sigma", 0x3c3},   {"omega", 0x3c9},   {"Omega", 0x3a9},
};

// Collapses white space while appending, and stops at the byte limit
// without cutting a UTF-8 sequence.
class TextOut
{
public:
    TextOut(std::string& out, size_t maxBytes)
        : m_out(out), m_limit(out.size() + maxBytes), m_pendingSpace(!out.empty())
    {}
    bool full() const { return m_full; }
    void separate() { m_pendingSpace = !m_out.empty(); }
    void append(std::string_view text)
    {
        size_t i = 0;
        while (i < text.size() && !m_full) {
            const char c = text[i];
            if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f') {
                separate();
                ++i;
                continue;
            }
            if (m_pendingSpace) {
                if (!put(' '))
                    return;
                m_pendingSpace = false;
            }
            // A run of word characters goes in at once while it fits.
            size_t end = i;
            while (end < text.size() && text[end] != ' ' && text[end] != '\n' &&
                   text[end] != '\r' && text[end] != '\t' && text[end] != '\f')
                ++end;
            if (m_out.size() + (end - i) + 4 < m_limit) {
                m_out.append(text.substr(i, end - i));
                i = end;
                continue;
            }
            for (; i < end; ++i)
                if (!put(text[i]))
                    return;
        }
    }

private:
    bool put(char c)
    {
        if (m_full)
            return false;
        // Stop before a lead byte so that the text stays valid UTF-8.
        if (m_out.size() + 4 >= m_limit && (static_cast<unsigned char>(c) & 0xc0) != 0x80) {
            m_full = true;
            return false;
        }
        m_out.push_back(c);
        return true;
    }

    std::string& m_out;
    size_t m_limit;
    bool m_pendingSpace;
    bool m_full = false;
};

} // namespace

void MarkupText::appendUtf8(unsigned cp, std::string& out)
{
    if (cp == 0 || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
        cp = 0xfffd;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xc0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xe0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else {
        out.push_back(static_cast<char>(0xf0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    }
}

std::string MarkupText::decodeEntity(std::string_view name)
{
    std::string out;
    if (name.size() >= 2 && name[0] == '#') {
        unsigned long value = 0;
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty() || digits.size() > 8)
            return out;
        char* end = nullptr;
        value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        if (*end != '\0')
            return out;
        appendUtf8(static_cast<unsigned>(value), out);
        return out;
    }
    for (const auto& entity : kEntities)
        if (name == entity.name) {
            appendUtf8(entity.codePoint, out);
            break;
        }
    return out;
}

std::string MarkupText::declaredCharset(std::string_view head)
{
    head = head.substr(0, 4096);
    std::string lower(head);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    size_t at = std::string::npos;
    if (lower.rfind("<?xml", 0) == 0) {
        const size_t end = lower.find("?>");
        const size_t encoding = lower.find("encoding");
        if (encoding != std::string::npos && encoding < end)
            at = lower.find_first_of("\"'", encoding);
    } else {
        at = lower.find("charset");
        if (at != std::string::npos)
            at = lower.find_first_not_of(" =\"'", at + 7) - 1;
    }
    if (at == std::string::npos || at + 1 >= lower.size())
        return {};
    size_t end = at + 1;
    while (end < lower.size() && (isNameChar(lower[end])))
        ++end;
    return lower.substr(at + 1, end - at - 1);
}

bool MarkupText::appendPlain(std::string_view text, std::string& out, size_t maxBytes)
{
    TextOut sink(out, maxBytes);
    sink.append(text);
    return !sink.full();
}

bool MarkupText::appendText(std::string_view in, Dialect dialect, std::string& out, size_t maxBytes)
{
    TextOut text(out, maxBytes);
    size_t i = 0;
    const size_t n = in.size();
    while (i < n && !text.full()) {
        const char c = in[i];
        if (c == '&') {
            const size_t semicolon = in.find(';', i + 1);
            if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                const std::string decoded = decodeEntity(in.substr(i + 1, semicolon - i - 1));
                if (!decoded.empty()) {
                    text.append(decoded == "\xc2\xa0" ? std::string_view(" ") : decoded);
                    i = semicolon + 1;
                    continue;
                }
            }
            text.append("&");
            ++i;
            continue;
        }
        if (c != '<') {
            const size_t next = in.find_first_of("<&", i);
            const size_t end = next == std::string_view::npos ? n : next;
            text.append(in.substr(i, end - i));
            i = end;
            continue;
        }
        // Markup: comment, CDATA, declaration, processing instruction or tag.
        if (in.substr(i, 4) == "<!--") {
            const size_t end = in.find("-->", i + 4);
            i = end == std::string_view::npos ? n : end + 3;
            continue;
        }
        if (in.substr(i, 9) == "<![CDATA[") {
            const size_t end = in.find("]]>", i + 9);
            const size_t stop = end == std::string_view::npos ? n : end;
            text.append(in.substr(i + 9, stop - i - 9));
            i = stop == n ? n : stop + 3;
            continue;
        }
        if (i + 1 < n && (in[i + 1] == '!' || in[i + 1] == '?')) {
            const size_t end = in.find('>', i);
            i = end == std::string_view::npos ? n : end + 1;
            text.separate();
            continue;
        }
        const bool closing = i + 1 < n && in[i + 1] == '/';
        size_t nameStart = i + (closing ? 2 : 1);
        size_t nameEnd = nameStart;
        while (nameEnd < n && isNameChar(in[nameEnd]))
            ++nameEnd;
        if (nameEnd == nameStart) {
            // "a < b" in sloppy HTML is text, not a tag.
            text.append("<");
            ++i;
            continue;
        }
        const std::string_view name = in.substr(nameStart, nameEnd - nameStart);
        // The tag ends at the first '>' outside a quoted attribute value.
        size_t end = nameEnd;
        char quote = 0;
        while (end < n) {
            const char t = in[end];
            if (quote) {
                if (t == quote)
                    quote = 0;
            } else if (t == '"' || t == '\'') {
                quote = t;
            } else if (t == '>') {
                break;
            }
            ++end;
        }
        i = end == n ? n : end + 1;

        bool separates = true;
        switch (dialect) {
        case Dialect::Html:
            separates = !inList(name, kHtmlInline);
            if (!closing && (equalsLower(name, "script") || equalsLower(name, "style"))) {
                // Raw text up to the matching end tag, whatever its case.
                const std::string endTag = equalsLower(name, "script") ? "</script" : "</style";
                size_t j = i;
                while (j < n) {
                    j = in.find("</", j);
                    if (j == std::string_view::npos) {
                        j = n;
                        break;
                    }
                    if (equalsLower(in.substr(j, endTag.size()), endTag))
                        break;
                    j += 2;
                }
                const size_t close = j < n ? in.find('>', j) : std::string_view::npos;
                i = close == std::string_view::npos ? n : close + 1;
            }
            break;
        case Dialect::Xml:
            break;
        case Dialect::Office:
            separates = inList(localName(name), kOfficeSeparators);
            break;
        }
        if (separates)
            text.separate();
    }
    return !text.full();
}
