#include "indexer/ExtractionGuard.h"
#include "indexer/FileCatalog.h"
#include "tests/indexer/IndexerTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace IndexerTest;

namespace {

class CrawlerTest : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return m_root + u'/' + relative; }
    QStringList find(const QString& phrase) const { return search(m_catalog, phrase); }

    TestFolder m_folder;
    QString m_root = m_folder.filePath(QStringLiteral("tree"));
    QString m_catalog = m_folder.filePath(QStringLiteral("cache/catalog.db"));
};

TEST_F(CrawlerTest, LaterPassesReadOnlyWhatChangedAndDropWhatIsGone)
{
    writeFile(path("keep.txt"), "steady words");
    writeFile(path("edit.txt"), "first draft");
    writeFile(path("move.txt"), "travelling text");
    writeFile(path("gone/old.txt"), "soon deleted");
    EXPECT_EQ(indexFolder(m_catalog, m_root).indexed, 4);

    const PassStats unchanged = indexFolder(m_catalog, m_root);
    EXPECT_EQ(unchanged.seen, 4);
    EXPECT_EQ(unchanged.indexed, 0);

    // Same size, new contents, new time: read again.
    writeFile(path("edit.txt"), "final draft");
    struct timeval times[2] = {{100, 0}, {100, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(path("edit.txt")).constData(), times), 0);
    ASSERT_TRUE(QFile::rename(path("move.txt"), path("moved.txt")));
    ASSERT_TRUE(QFile::remove(path("gone/old.txt")));
    ASSERT_TRUE(QDir(path("gone")).removeRecursively());

    const PassStats changed = indexFolder(m_catalog, m_root);
    EXPECT_EQ(changed.indexed, 2); // edit.txt and moved.txt
    EXPECT_EQ(changed.removed, 2); // move.txt and gone/old.txt
    EXPECT_EQ(find("final draft"), QStringList({"edit.txt"}));
    EXPECT_TRUE(find("first draft").isEmpty());
    EXPECT_EQ(find("travelling text"), QStringList({"moved.txt"}));
    EXPECT_TRUE(find("soon deleted").isEmpty());
    EXPECT_EQ(find("steady words"), QStringList({"keep.txt"}));
}

TEST_F(CrawlerTest, OddFilesAreIndexedSafely)
{
    writeFile(path("empty.txt"), "");
    // A name that is not UTF-8 (Latin-1 e acute).
    const QByteArray latinName = QFile::encodeName(m_root) + "/caf\xe9.txt";
    {
        FILE* raw = std::fopen(latinName.constData(), "w");
        ASSERT_NE(raw, nullptr);
        std::fputs("latin named file", raw);
        std::fclose(raw);
    }
    // Deep nesting.
    QString deep = path("d");
    for (int i = 0; i < 60; ++i)
        deep += QStringLiteral("/level");
    writeFile(deep + QStringLiteral("/bottom.txt"), "deep treasure");
    // The catalogue's own folder inside the scope is not read.
    m_catalog = path("cache/catalog.db");

    const PassStats stats = indexFolder(m_catalog, m_root);
    EXPECT_EQ(stats.unreadable, 0);
    EXPECT_EQ(find("empty txt"), QStringList({"empty.txt"}));
    EXPECT_EQ(find("latin named file").size(), 1);
    EXPECT_EQ(find("deep treasure"), QStringList({"bottom.txt"}));
    EXPECT_TRUE(find("catalog db").isEmpty());
    // The temporary folder's clean-up cannot name this file.
    ::unlink(latinName.constData());
}

TEST_F(CrawlerTest, DamagedOrForeignCatalogueIsRebuilt)
{
    writeFile(path("a.txt"), "survives the rebuild");
    indexFolder(m_catalog, m_root);

    const QByteArray garbage(8192, 'x');
    writeFile(m_catalog, garbage);
    {
        FileCatalog catalog(m_catalog);
        catalog.open();
        EXPECT_TRUE(catalog.wasRebuilt());
    }
    indexFolder(m_catalog, m_root);
    EXPECT_EQ(find("survives the rebuild"), QStringList({"a.txt"}));

    // Another schema version: a plain SQLite file that is no catalogue of ours.
    QFile::remove(m_catalog);
    {
        SqliteDb db;
        db.open(FileCatalog::nativePath(m_catalog), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        db.exec("CREATE TABLE files(x); PRAGMA user_version = 99");
    }
    FileCatalog catalog(m_catalog);
    catalog.open();
    EXPECT_TRUE(catalog.wasRebuilt());
    EXPECT_EQ(catalog.stats().files, 0);
}

TEST_F(CrawlerTest, FileThatTookTheReaderDownIsIndexedByNameOnly)
{
    writeFile(path("poison.pdf"), IndexerTest::makePdf("dangerous content"));
    writeFile(path("fine.txt"), "harmless content");
    // As a crash mid-read leaves it: the marker still names the file.
    const QString marker = m_folder.filePath(QStringLiteral("cache/extracting"));
    writeFile(marker, QFile::encodeName(path("poison.pdf")) + "\n");
    {
        ExtractionGuard guard(marker);
        FileCatalog catalog(m_catalog);
        catalog.open();
        catalog.markNameOnly(guard.takeLeftover());
    }
    indexFolder(m_catalog, m_root);
    EXPECT_TRUE(find("dangerous content").isEmpty());
    EXPECT_EQ(find("poison"), QStringList({"poison.pdf"}));
    EXPECT_EQ(find("harmless content"), QStringList({"fine.txt"}));
    // Taken once: the next start does not blame it again.
    ExtractionGuard again(marker);
    EXPECT_TRUE(again.takeLeftover().empty());
}

} // namespace
