#pragma once

#include <QByteArray>
#include <QString>

// The user's well-known folders. Safe to call from any thread.
class UserFolders
{
public:
    virtual ~UserFolders() = default;
    // The folder of the user's pictures, or empty when the user has none.
    virtual QString picturesFolder() const = 0;
};

// The XDG user directories: XDG_PICTURES_DIR in $XDG_CONFIG_HOME/user-dirs.dirs,
// with only a leading "$HOME" expanded. Without an entry the home folder's
// "Pictures" is taken if it exists; an entry naming the home folder itself
// marks the folder as disabled.
class XdgUserFolders : public UserFolders
{
public:
    // Reads HOME and XDG_CONFIG_HOME now, so that later calls need no environment.
    XdgUserFolders();
    XdgUserFolders(QString home, QString configHome);

    QString picturesFolder() const override;

    // The value of key in the contents of a user-dirs.dirs file, unquoted and
    // with a leading "$HOME" replaced by home; empty when the key is absent.
    static QString userDirValue(const QByteArray& userDirs, const QByteArray& key,
                                const QString& home);

private:
    QString m_home;
    QString m_configHome;
};
