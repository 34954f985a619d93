#pragma once

#include "indexer/ExtractionLimits.h"

#include <string>

// Text of the document formats that need a library: PDF through poppler, and
// the zip containers (OpenDocument, Office Open XML, EPUB) through libzip.
// Each appends to out within the limits and returns false when a limit cut
// the text short; a damaged document gives what could be read.
namespace DocumentText {

bool appendPdf(const std::string& path, const ExtractionLimits& limits, const Deadline& deadline,
               std::string& out);

enum class Container
{
    OpenDocument,
    WordDocument,
    Workbook,
    Presentation,
    Epub,
};
bool appendContainer(const std::string& path, Container kind, const ExtractionLimits& limits,
                     const Deadline& deadline, std::string& out);

} // namespace DocumentText
