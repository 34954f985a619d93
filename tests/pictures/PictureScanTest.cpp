#include "pictures/PictureScan.h"

#include "pictures/ShowOrder.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(PictureScanTest, NameTestOnTheLowerCasedEnding)
{
    const struct
    {
        const char* name;
        bool listed;
    } cases[] = {
        {"PHOTO.JPG", true},    {"scan.Jpeg", true},  {"logo.png", true},
        {"icon.ICO", true},     {"clip.wmf", true},   {"chart.Emf", true},
        {"old.bmp", true},      {"holidayjpg", true}, // only the ending counts
        {"drawing.gif", false}, {"photo.tif", false}, {"jpeg.txt", false},
        {"pg", false},          {"", false},          {"photo.jpg.part", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isPictureName(QString::fromUtf8(c.name)), c.listed) << c.name;
}

TEST(PictureScanTest, ShowOrderStepsBeforeShowingAndWrapsAround)
{
    // A, B, C are shown B, C, A, B; one picture is shown again at every tick.
    int index = 0;
    QString shown;
    for (int tick = 0; tick < 4; ++tick) {
        index = nextPictureIndex(index, 3);
        shown += QChar(u'A' + index);
    }
    EXPECT_EQ(shown, "BCAB");
    EXPECT_EQ(nextPictureIndex(0, 1), 0);
    EXPECT_EQ(nextPictureIndex(7, 3), 0); // a list replaced by a shorter one
    EXPECT_EQ(nextPictureIndex(-3, 3), 0);
}

// The listing order of one folder as the file system gives it, independent of Qt.
QStringList rawListing(const QString& folder)
{
    QStringList names;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    closedir(dir);
    return names;
}

class ScanFolderTest : public ::testing::Test
{
protected:
    void touch(const QString& relative)
    {
        const QString path = m_folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
    }
    TestFolder m_folder;
};

TEST_F(ScanFolderTest, SubfolderPicturesComeWhereTheSubfolderIsListed)
{
    for (const char* name : {"a.jpg", "b.png", "c.bmp", "d.gif", "sub/x.jpg", "sub/deeper/y.png",
                             "sub/z.txt", ".hidden/h.jpg", ".dotted.png"})
        touch(QString::fromLatin1(name));

    // Expected: walk the raw listings depth first.
    QStringList expected;
    std::function<void(const QString&)> walk = [&](const QString& folder) {
        for (const QString& name : rawListing(folder)) {
            const QString path = folder + "/" + name;
            if (QFileInfo(path).isDir())
                walk(path);
            else if (!name.endsWith(".gif") && !name.endsWith(".txt"))
                expected << path;
        }
    };
    walk(m_folder.path());

    QStringList found;
    ScanFolder(m_folder.path(), found);
    EXPECT_EQ(found, expected);
    EXPECT_EQ(found.size(), 7);
    // The trailing separator is not doubled.
    QStringList again;
    ScanFolder(m_folder.path() + "/", again);
    EXPECT_EQ(again, found);
}

TEST_F(ScanFolderTest, SymbolicLinksToFoldersAreNotEnteredSoLoopsEnd)
{
    touch("pics/one.jpg");
    touch("elsewhere/two.jpg");
    ASSERT_TRUE(QFile::link(m_folder.filePath("pics"), m_folder.filePath("pics/loop")));
    ASSERT_TRUE(QFile::link(m_folder.filePath("elsewhere"), m_folder.filePath("pics/away")));
    ASSERT_TRUE(
        QFile::link(m_folder.filePath("elsewhere/two.jpg"), m_folder.filePath("pics/linked.jpg")));

    QStringList found;
    ScanFolder(m_folder.filePath("pics"), found);
    found.sort();
    EXPECT_EQ(found, QStringList({m_folder.filePath("pics/linked.jpg"),
                                  m_folder.filePath("pics/one.jpg")}));
}

TEST_F(ScanFolderTest, MissingOrEmptyFolderAddsNothingAndStopEndsTheScan)
{
    QStringList found{"kept"};
    ScanFolder(m_folder.filePath("no such folder"), found);
    ScanFolder(QString(), found); // never the current directory
    EXPECT_EQ(found, QStringList{"kept"});

    for (int i = 0; i < 20; ++i)
        touch(QStringLiteral("d%1/p.jpg").arg(i));
    int asked = 0;
    found.clear();
    ScanFolder(m_folder.path(), found, [&asked] { return ++asked > 5; });
    EXPECT_LT(found.size(), 5);
}

} // namespace
