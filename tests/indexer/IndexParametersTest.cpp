#include "indexer/IndexParameters.h"

#include "app/IniDocument.h"
#include "tests/support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(IndexParametersTest, FreshFileHoldsProfileOneAndTheHomeFolder)
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("conf/ContentIndex.ini"));
    ASSERT_TRUE(IndexParameters::ensureExists(path));
    const IniDocument ini =
        IniDocument::parse(folder.read(QStringLiteral("conf/ContentIndex.ini")));
    const auto profile1 = *IndexParameters::profile(1);
    for (size_t i = 0; i < IndexParameters::kValueCount; ++i)
        EXPECT_EQ(
            ini.value(QStringLiteral("ContentIndex"), QLatin1String(IndexParameters::kNames[i])),
            QString::number(profile1[i]))
            << IndexParameters::kNames[i];
    EXPECT_EQ(ini.value(QStringLiteral("ContentIndex"), QStringLiteral("MaxWordlistIo")),
              QStringLiteral("4294967295"));
    const IndexParameters loaded = IndexParameters::load(path);
    EXPECT_EQ(loaded.folders, QStringList({QDir::homePath()}));
    EXPECT_EQ(loaded.values, profile1);
}

TEST(IndexParametersTest, ProfilesUpdateAnExistingFileOnly)
{
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("ContentIndex.ini"));
    EXPECT_FALSE(IndexParameters::applyProfile(path, 3)); // no file: nothing written
    EXPECT_TRUE(folder.read(QStringLiteral("ContentIndex.ini")).isEmpty());

    folder.write(QStringLiteral("ContentIndex.ini"),
                 "; mine\n[Catalog]\nFolders=/srv/docs;/home/ann/Notes/\nExclude=*.log\n");
    ASSERT_TRUE(IndexParameters::applyProfile(path, 3));
    EXPECT_FALSE(IndexParameters::applyProfile(path, 4));
    const IndexParameters loaded = IndexParameters::load(path);
    EXPECT_EQ(loaded.value("UsnReadMinSize"), 8192u);
    EXPECT_EQ(loaded.value("ServiceUsage"), 4u);
    EXPECT_EQ(loaded.value("MinSizeMergeWordlists"), 206u);
    EXPECT_EQ(loaded.folders, QStringList({"/srv/docs", "/home/ann/Notes"}));
    EXPECT_EQ(loaded.excludePatterns, QStringList({"*.log"}));
    EXPECT_TRUE(folder.read(QStringLiteral("ContentIndex.ini")).startsWith("; mine\n"));
}

TEST(IndexParametersTest, BadValuesFallBackToProfileOne)
{
    TestFolder folder;
    folder.write(QStringLiteral("ContentIndex.ini"),
                 "[ContentIndex]\nScanBackoff=lots\nMaxFreshCount=-5\nMaxWordlistIo=-1\n"
                 "FilterDelayInterval=0x14\n[Catalog]\nFolders=relative/path\n");
    const IndexParameters loaded =
        IndexParameters::load(folder.filePath(QStringLiteral("ContentIndex.ini")));
    EXPECT_EQ(loaded.value("ScanBackoff"), 0u);
    EXPECT_EQ(loaded.value("MaxFreshCount"), 100000u);
    EXPECT_EQ(loaded.value("MaxWordlistIo"), 4294967295u);
    EXPECT_EQ(loaded.value("FilterDelayInterval"), 20u);
    EXPECT_TRUE(loaded.folders.isEmpty()); // only absolute folders are indexed
}

} // namespace
