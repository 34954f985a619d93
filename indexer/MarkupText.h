#pragma once

#include <string>
#include <string_view>

// The readable text of HTML and XML (UTF-8 in, UTF-8 out): tags, comments,
// scripts and styles go, entities are decoded, white space is collapsed.
// Block-level tags become a blank so that words of adjacent paragraphs stay
// apart, while inline tags join, so a word split over two runs stays whole.
namespace MarkupText {

enum class Dialect
{
    Html,   // inline tags: a, b, i, span, em ...; script and style skipped
    Xml,    // every tag separates words
    Office, // office document XML: paragraphs, cells, tabs and breaks separate; runs join
};

// Appends at most maxBytes of text to out; returns false when it had to stop there.
bool appendText(std::string_view markup, Dialect dialect, std::string& out, size_t maxBytes);
// Plain text with its white space collapsed, within maxBytes; false when cut short.
bool appendPlain(std::string_view text, std::string& out, size_t maxBytes);
// The charset named by <meta charset>, <meta http-equiv content="...charset=">
// or the XML prolog's encoding, or empty.
std::string declaredCharset(std::string_view head);
// Decodes one entity name or number ("amp", "#233", "#xE9") to UTF-8; empty if unknown.
std::string decodeEntity(std::string_view name);
void appendUtf8(unsigned codePoint, std::string& out);

} // namespace MarkupText
