#pragma once

#include <string>
#include <string_view>

// The text of an RTF document as UTF-8: control words and destinations that
// hold no body text (font and colour tables, pictures, "\*" groups) are
// dropped; \'hh bytes are decoded with the document's \ansicpg code page and
// \uN characters taken as they are.
namespace RtfText {

bool appendText(std::string_view rtf, std::string& out, size_t maxBytes);

} // namespace RtfText
