#include "app/IndexProfile.h"

#include "app/AppLog.h"
#include "indexer/IndexParameters.h"
#include "indexer/IndexerPaths.h"

#include <QFileInfo>

void applyIndexProfile(int profile)
{
    try {
        const QString path = IndexerPaths::parameterFilePath();
        if (profile < 1 || profile > 3 || !QFileInfo::exists(path))
            return;
        if (!IndexParameters::applyProfile(path, profile))
            qCWarning(lcApp).noquote() << "indexing profile" << profile << "not written to" << path;
    } catch (const std::exception& exception) {
        qCWarning(lcApp) << "indexing profile not applied:" << exception.what();
    }
}
