#pragma once

#include <QString>

// Appends source to destination with every CR and every LF replaced, one for
// one, by replacement (an empty replacement strips the line breaks).
void ReplaceLineBreaks(const QString& source, const QString& replacement, QString& destination);
