#pragma once

#include <string>
#include <string_view>

// Turns the bytes of a text file into UTF-8: a byte-order mark wins, then a
// charset the document declares, then valid UTF-8; anything else is taken as a
// legacy single-byte code page guessed from its letters (Western, Cyrillic or
// KOI8-R). UTF-16 without a mark is recognised by its zero bytes.
namespace TextDecoder {

// Empty when the bytes look binary (zero bytes that are no UTF-16).
bool looksBinary(std::string_view head);
std::string toUtf8(std::string_view bytes, std::string_view declaredCharset = {});
bool isValidUtf8(std::string_view bytes);
// The legacy code page the text most likely uses.
const char* guessSingleByteCharset(std::string_view bytes);
// iconv conversion; invalid sequences are skipped. Empty when the charset is unknown.
bool convert(std::string_view bytes, const char* charset, std::string& out);

} // namespace TextDecoder
