#include "platform/UserFolders.h"

#include "tests/support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(UserFoldersTest, PicturesEntryOfUserDirs)
{
    const QString home = "/home/user1";
    const struct
    {
        const char* file;
        const char* value;
    } cases[] = {
        {"XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "/home/user1/Pictures"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"/srv/photos\"\n",
         "/srv/photos"}, // absolute, unchanged
        {"XDG_PICTURES_DIR=\"$HOME/My \\\"Best\\\" $HOME\"", "/home/user1/My \"Best\" $HOME"},
        {"XDG_PICTURES_DIR=\"${HOME}/x\"", "${HOME}/x"}, // only a leading $HOME is expanded
        {"XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIR=\"$HOME/b\"", "/home/user1/b"},
        {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", ""},
        {"#XDG_PICTURES_DIR=\"/nope\"\nXDG_PICTURES_DIRX=\"/nope\"", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XdgUserFolders::userDirValue(c.file, "XDG_PICTURES_DIR", home),
                  QString::fromUtf8(c.value))
            << c.file;
}

class PicturesFolderTest : public ::testing::Test
{
protected:
    QString home() const { return m_folder.filePath("home"); }
    QString configHome() const { return m_folder.filePath("config"); }
    void writeUserDirs(const QByteArray& contents)
    {
        QDir().mkpath(configHome());
        m_folder.write("config/user-dirs.dirs", contents);
    }
    QString lookUp() const { return XdgUserFolders(home(), configHome()).picturesFolder(); }

    TestFolder m_folder;
};

TEST_F(PicturesFolderTest, EntryWinsOverTheDefaultFolder)
{
    QDir().mkpath(home() + "/Pictures");
    writeUserDirs("XDG_PICTURES_DIR=\"$HOME/Photos\"\n");
    EXPECT_EQ(lookUp(), home() + "/Photos");
    writeUserDirs("XDG_PICTURES_DIR=\"/media/shared/pictures\"\n");
    EXPECT_EQ(lookUp(), "/media/shared/pictures");
}

TEST_F(PicturesFolderTest, WithoutAnEntryTheHomePicturesFolderIfItExists)
{
    EXPECT_EQ(lookUp(), QString()); // no file, no Pictures folder: nothing to scan
    writeUserDirs("XDG_MUSIC_DIR=\"$HOME/Music\"\n");
    EXPECT_EQ(lookUp(), QString());
    QDir().mkpath(home() + "/Pictures");
    EXPECT_EQ(lookUp(), home() + "/Pictures");
    writeUserDirs("XDG_PICTURES_DIR=\"relative/path\"\n"); // invalid: treated as absent
    EXPECT_EQ(lookUp(), home() + "/Pictures");
}

TEST_F(PicturesFolderTest, EntryNamingHomeSwitchesThePicturesFolderOff)
{
    QDir().mkpath(home() + "/Pictures");
    writeUserDirs("XDG_PICTURES_DIR=\"$HOME/\"\n");
    EXPECT_EQ(lookUp(), QString());
}

TEST_F(PicturesFolderTest, DefaultConfigFolderIsUnderHome)
{
    QDir().mkpath(home() + "/.config");
    m_folder.write("home/.config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Pics\"\n");
    EXPECT_EQ(XdgUserFolders(home(), QString()).picturesFolder(), home() + "/Pics");
    EXPECT_EQ(XdgUserFolders(home(), "relative").picturesFolder(), home() + "/Pics");
}

} // namespace
