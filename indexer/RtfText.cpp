#include "indexer/RtfText.h"

#include "indexer/MarkupText.h"
#include "indexer/TextDecoder.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

struct GroupState
{
    bool skip = false;
    int unicodeSkip = 1; // bytes that stand in for the last \uN
};

bool isSkippedDestination(std::string_view word)
{
    static constexpr std::string_view skipped[] = {"fonttbl",    "colortbl",
                                                   "stylesheet", "info",
                                                   "pict",       "object",
                                                   "header",     "footer",
                                                   "headerl",    "headerr",
                                                   "footerl",    "footerr",
                                                   "themedata",  "colorschememapping",
                                                   "datastore",  "latentstyles",
                                                   "listtable",  "listoverridetable",
                                                   "rsidtbl",    "generator",
                                                   "xmlnstbl",   "fldinst",
                                                   "filetbl",    "revtbl"};
    for (const auto s : skipped)
        if (word == s)
            return true;
    return false;
}

} // namespace

bool RtfText::appendText(std::string_view rtf, std::string& out, size_t maxBytes)
{
    const size_t limit = out.size() + maxBytes;
    std::string codePage = "WINDOWS-1252";
    std::vector<GroupState> stack{GroupState{}};
    std::string pendingBytes; // \'hh bytes, decoded together at the next other token
    int bytesToSkip = 0;

    auto flushBytes = [&] {
        if (pendingBytes.empty())
            return;
        std::string decoded;
        TextDecoder::convert(pendingBytes, codePage.c_str(), decoded);
        out += decoded;
        pendingBytes.clear();
    };
    auto emit = [&](std::string_view text) {
        if (stack.back().skip)
            return;
        flushBytes();
        out += text;
    };

    size_t i = 0;
    const size_t n = rtf.size();
    while (i < n && out.size() < limit) {
        const char c = rtf[i];
        if (c == '{') {
            flushBytes();
            stack.push_back(stack.back());
            ++i;
            // "{\*\dest" marks a destination a reader may ignore.
            if (rtf.substr(i, 2) == "\\*")
                stack.back().skip = true;
            continue;
        }
        if (c == '}') {
            flushBytes();
            if (stack.size() > 1)
                stack.pop_back();
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (c != '\\') {
            if (bytesToSkip > 0) {
                --bytesToSkip;
            } else {
                emit(std::string_view(&rtf[i], 1));
            }
            ++i;
            continue;
        }
        // A control symbol or word.
        ++i;
        if (i >= n)
            break;
        const char s = rtf[i];
        if (s == '\'') {
            if (i + 2 < n && std::isxdigit(static_cast<unsigned char>(rtf[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(rtf[i + 2]))) {
                const int byte = std::stoi(std::string(rtf.substr(i + 1, 2)), nullptr, 16);
                if (bytesToSkip > 0)
                    --bytesToSkip;
                else if (!stack.back().skip)
                    pendingBytes.push_back(static_cast<char>(byte));
            }
            i += 3;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(s))) {
            // \\, \{, \} stand for themselves; \~ is a non-breaking space.
            if (s == '\\' || s == '{' || s == '}')
                emit(std::string_view(&rtf[i], 1));
            else if (s == '~' || s == '\n' || s == '\r')
                emit(" ");
            ++i;
            continue;
        }
        size_t wordEnd = i;
        while (wordEnd < n && std::isalpha(static_cast<unsigned char>(rtf[wordEnd])))
            ++wordEnd;
        const std::string_view word = rtf.substr(i, wordEnd - i);
        size_t numberEnd = wordEnd;
        if (numberEnd < n && rtf[numberEnd] == '-')
            ++numberEnd;
        while (numberEnd < n && std::isdigit(static_cast<unsigned char>(rtf[numberEnd])) &&
               numberEnd - wordEnd < 10)
            ++numberEnd;
        const std::string digits(rtf.substr(wordEnd, numberEnd - wordEnd));
        const bool hasNumber = !digits.empty() && digits != "-";
        const long number = hasNumber ? std::stol(digits) : 0;
        i = numberEnd;
        if (i < n && rtf[i] == ' ')
            ++i; // the delimiter belongs to the control word

        if (word == "u" && hasNumber) {
            if (!stack.back().skip) {
                flushBytes();
                MarkupText::appendUtf8(static_cast<unsigned>(number < 0 ? number + 65536 : number),
                                       out);
            }
            bytesToSkip = stack.back().unicodeSkip;
        } else if (word == "uc" && hasNumber) {
            stack.back().unicodeSkip = static_cast<int>(number);
        } else if (word == "ansicpg" && hasNumber) {
            codePage = "CP" + std::to_string(number);
        } else if (word == "par" || word == "line" || word == "tab" || word == "cell" ||
                   word == "row" || word == "sect" || word == "page") {
            emit(" ");
        } else if (isSkippedDestination(word)) {
            stack.back().skip = true;
        }
    }
    flushBytes();
    const bool complete = out.size() < limit;
    // Never leave a cut UTF-8 sequence at the end.
    if (out.size() > limit) {
        size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xc0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return complete;
}
