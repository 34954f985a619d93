#pragma once

#include <QString>

namespace UrlEncoding {

// What OpenURL hands to the desktop: a loopback address ("://127") unchanged,
// any other web address ("://") through encodeWebAddress, a file path unchanged.
QString addressToOpen(const QString& address);

// Percent-encodes a web address part by part from its UTF-8 bytes, with
// upper-case hex. Backslashes become slashes and the fragment is dropped.
// Protocol, host and port stay as they are. In the path and the document name
// * # % < > + space [ ] and every byte below 32 or above 126 are encoded; in
// the query the same but "+" (and & = ?) stay and every byte below 33 is encoded.
QString encodeWebAddress(const QString& address);

} // namespace UrlEncoding
