#include "app/TextUtils.h"

void ReplaceLineBreaks(const QString& source, const QString& replacement, QString& destination)
{
    destination.reserve(destination.size() + source.size());
    for (const QChar c : source) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            destination += replacement;
        else
            destination += c;
    }
}
