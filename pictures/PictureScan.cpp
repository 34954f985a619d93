#include "pictures/PictureScan.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <array>

bool isPictureName(QStringView fileName)
{
    // ASCII lower-casing only: the test is on the ending as the file system spells it.
    const auto endsWith = [fileName](QLatin1StringView ending) {
        if (fileName.size() < ending.size())
            return false;
        const QStringView tail = fileName.right(ending.size());
        for (qsizetype i = 0; i < ending.size(); ++i) {
            char16_t c = tail[i].unicode();
            if (c >= u'A' && c <= u'Z')
                c = static_cast<char16_t>(c - u'A' + u'a');
            if (c != static_cast<char16_t>(ending[i].unicode()))
                return false;
        }
        return true;
    };
    static constexpr std::array<QLatin1StringView, 7> kEndings = {
        QLatin1StringView("jpg"), QLatin1StringView("bmp"), QLatin1StringView("ico"),
        QLatin1StringView("emf"), QLatin1StringView("wmf"), QLatin1StringView("png"),
        QLatin1StringView("jpeg")};
    for (const QLatin1StringView ending : kEndings) {
        if (endsWith(ending))
            return true;
    }
    return false;
}

void ScanFolder(const QString& folder, QStringList& found,
                const std::function<bool()>& stopRequested)
{
    if (folder.isEmpty())
        return;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // No sorting: entries come in the order the file system returns them.
    QDirIterator entries(prefix,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        if (stopRequested && stopRequested())
            return;
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString path = prefix + entry.fileName();
        if (entry.isDir()) {
            if (!entry.isSymLink())
                ScanFolder(path, found, stopRequested);
        } else if (isPictureName(entry.fileName())) {
            found << path;
        }
    }
}
