#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// Whether a file name counts as a picture: its lower-cased ending is "jpg",
// "jpeg", "bmp", "ico", "emf", "wmf" or "png". Only the ending is tested, so
// "holidayjpg" counts too.
bool isPictureName(QStringView fileName);

// Appends the pictures of folder and of all its subfolders to found, depth
// first: a subfolder's pictures come before the folder's later entries, in
// the order the file system lists them. Hidden entries are included; folders
// reached through symbolic links are not entered, so links cannot loop.
// Folders that cannot be listed add nothing. An empty folder name scans
// nothing. stopRequested, when given, is asked between entries.
void ScanFolder(const QString& folder, QStringList& found,
                const std::function<bool()>& stopRequested = {});
