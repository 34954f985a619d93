#include "indexer/TextDecoder.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

// "UTF-16LE" when most odd bytes are zero, "UTF-16BE" when most even ones are.
const char* unmarkedUtf16(std::string_view head)
{
    const size_t n = std::min<size_t>(head.size(), 4096) & ~size_t(1);
    if (n < 4)
        return nullptr;
    size_t evenZero = 0, oddZero = 0;
    for (size_t i = 0; i < n; i += 2) {
        evenZero += head[i] == 0;
        oddZero += head[i + 1] == 0;
    }
    const size_t pairs = n / 2;
    if (oddZero * 10 > pairs * 4 && evenZero * 10 < pairs)
        return "UTF-16LE";
    if (evenZero * 10 > pairs * 4 && oddZero * 10 < pairs)
        return "UTF-16BE";
    return nullptr;
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

bool TextDecoder::looksBinary(std::string_view head)
{
    head = head.substr(0, 4096);
    if (startsWith(head, "\xff\xfe") || startsWith(head, "\xfe\xff") || unmarkedUtf16(head))
        return false;
    size_t control = 0;
    for (const char ch : head) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f' && c != 0x1b)
            ++control;
    }
    return control * 10 > head.size();
}

bool TextDecoder::isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        if ((*p & 0xe0) == 0xc0)
            extra = 1, min = 0x80;
        else if ((*p & 0xf0) == 0xe0)
            extra = 2, min = 0x800;
        else if ((*p & 0xf8) == 0xf0)
            extra = 3, min = 0x10000;
        else
            return false;
        // A sequence cut by the end of a read buffer is not an error.
        if (end - p <= extra)
            return true;
        unsigned value = *p & (0x3f >> extra);
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xc0) != 0x80)
                return false;
            value = (value << 6) | (p[i] & 0x3f);
        }
        if (value < min || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
            return false;
        p += extra + 1;
    }
    return true;
}

const char* TextDecoder::guessSingleByteCharset(std::string_view bytes)
{
    // Cyrillic text is mostly high bytes; cp1251 puts its lower-case letters
    // at E0-FF, KOI8-R at C0-DF. Western text has few high bytes.
    size_t ascii = 0, lowHigh = 0, upperHigh = 0;
    for (const char ch : bytes.substr(0, 65536)) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')
            ++ascii;
        else if (c >= 0xc0 && c <= 0xdf)
            ++lowHigh;
        else if (c >= 0xe0)
            ++upperHigh;
    }
    const size_t high = lowHigh + upperHigh;
    if (high * 2 < ascii + high)
        return "WINDOWS-1252";
    return upperHigh >= lowHigh ? "WINDOWS-1251" : "KOI8-R";
}

bool TextDecoder::convert(std::string_view bytes, const char* charset, std::string& out)
{
    // No "//IGNORE": with it glibc skips bad input itself yet still reports
    // EILSEQ, and skipping again here would run past the end.
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.resize(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    size_t written = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        size_t outLeft = out.size() - written;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else if (errno == EILSEQ && inLeft > 0) {
            ++in, --inLeft; // skip a byte the charset cannot map
        } else {
            break; // EINVAL: an incomplete sequence at the end
        }
    }
    iconv_close(cd);
    out.resize(written);
    return true;
}

std::string TextDecoder::toUtf8(std::string_view bytes, std::string_view declaredCharset)
{
    std::string out;
    if (startsWith(bytes, "\xef\xbb\xbf"))
        bytes.remove_prefix(3);
    else if (startsWith(bytes, "\xff\xfe") && convert(bytes.substr(2), "UTF-16LE", out))
        return out;
    else if (startsWith(bytes, "\xfe\xff") && convert(bytes.substr(2), "UTF-16BE", out))
        return out;
    else if (const char* utf16 = unmarkedUtf16(bytes); utf16 && convert(bytes, utf16, out))
        return out;

    const std::string declared = lowered(declaredCharset);
    const bool declaredUtf8 = declared == "utf-8" || declared == "utf8";
    if (!declared.empty() && !declaredUtf8 && declared != "us-ascii" &&
        convert(bytes, declared.c_str(), out))
        return out;
    if (isValidUtf8(bytes))
        return std::string(bytes);
    convert(bytes, guessSingleByteCharset(bytes), out);
    return out;
}
