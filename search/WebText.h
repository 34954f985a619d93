#pragma once

#include <QString>

// Turning values into page text and links, and the addresses of both searches.
namespace WebText {

// Every results-server address starts with this.
inline constexpr char kResultsPrefix[] = "http://127.0.0.1:4775/";
inline constexpr int kResultsPort = 4775;
// The vendor's web site, reached by the internet search.
inline constexpr char kVendorSite[] = "http://www.lanternfly-desktop.com";

// Text safe inside element content and quoted attribute values.
QString htmlEscape(const QString& text);
// A query or link value: UTF-8 bytes, everything but letters, digits and
// - . _ ~ (and "/" when keepSlash) percent-encoded, so that "+", "&", "#" and
// "%" come back from the server exactly as they went in.
QString encodeLinkValue(const QString& value, bool keepSlash = false);

// First page of a desktop search for text, ordered by relevancy.
QString desktopSearchAddress(const QString& text);
// The vendor's search page for text, not yet encoded: the opener (or the
// page's link) encodes it as a web address.
QString vendorSearchAddress(const QString& text);

} // namespace WebText
