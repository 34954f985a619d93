#include "pictures/PicThread.h"

#include "pictures/PictureScan.h"
#include "pictures/PicturesLog.h"
#include "platform/UserFolders.h"

PicThread::PicThread(const UserFolders& folders, QObject* parent)
    : QThread(parent), m_folders(folders)
{
    setObjectName(QStringLiteral("TPicThread"));
}

void PicThread::Execute()
{
    QStringList foundFiles;
    const QString folder = m_folders.picturesFolder();
    if (folder.isEmpty())
        qCInfo(lcPictures) << "no pictures folder";
    ScanFolder(folder, foundFiles, [this] { return isInterruptionRequested(); });
    if (isInterruptionRequested())
        return;
    qCDebug(lcPictures) << "found" << foundFiles.size() << "pictures in" << folder;
    emit handOverStarting();
    emit picturesFound(foundFiles);
}
