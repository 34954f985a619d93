#include "app/DateTimeValue.h"
#include "indexer/StatementProvider.h"
#include "tests/indexer/IndexerTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace IndexerTest;

namespace {

// The words of a text as a reader sees them: letters and digits, case and
// diacritics ignored; everything else separates words. Written apart from
// the catalogue so the two can disagree.
QStringList words(const QString& text)
{
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD))
        if (!c.isMark())
            folded.append(c.toCaseFolded());
    QStringList result;
    QString current;
    for (const QChar c : folded) {
        if (c.isLetterOrNumber()) {
            current.append(c);
        } else if (!current.isEmpty()) {
            result.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        result.append(current);
    return result;
}

bool holdsInOrder(const QStringList& haystack, const QStringList& needle)
{
    if (needle.isEmpty())
        return false;
    for (qsizetype i = 0; i + needle.size() <= haystack.size(); ++i)
        if (haystack.mid(i, needle.size()) == needle)
            return true;
    return false;
}

struct FixtureFile
{
    QString relativePath;
    QByteArray contents;
    QString visibleText; // what a reader of the file sees
};

class PhraseSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = m_folder.filePath(QStringLiteral("tree"));
        m_catalog = m_folder.filePath(QStringLiteral("cache/catalog.db"));
        for (const FixtureFile& file : fixture())
            writeFile(m_root + u'/' + file.relativePath, file.contents);
        // What must stay out: hidden, excluded, reached through links only.
        writeFile(m_root + QStringLiteral("/.hidden/h.txt"), "quick brown fox");
        writeFile(m_root + QStringLiteral("/skip.tmp"), "quick brown fox");
        ASSERT_EQ(::symlink("a.txt", QFile::encodeName(m_root + QStringLiteral("/link.txt"))), 0);
        ASSERT_EQ(::symlink(".", QFile::encodeName(m_root + QStringLiteral("/loop"))), 0);
        indexFolder(m_catalog, m_root);
    }

    static std::vector<FixtureFile> fixture()
    {
        return {
            {"a.txt", "The Quick brown fox jumps over the lazy dog.", {}},
            {"b.txt", "quick, brown; fox!", {}},
            {"c.txt", "brown quick fox", {}},
            {"d.html",
             "<html><body><p>Cr&egrave;me Br\xc3\xbbl\xc3\xa9"
             "e</p> r\xc3\xa9sum\xc3\xa9</body></html>",
             QStringLiteral("Crème Brûlée résumé")},
            {"e.txt", "QUICK BROWN FOXES", {}},
            {"sub/quick-brown-fox.md", "unrelated words", {}},
            {"sub/deep/g.txt", "quick brown fox, quick brown fox, quick brown fox", {}},
            {"sub/lantern_notes_2026.txt", "", {}},
        };
    }

    TestFolder m_folder;
    QString m_root;
    QString m_catalog;
};

TEST_F(PhraseSearchTest, FindsExactlyWhatTheReferenceFinds)
{
    const QStringList phrases = {
        QStringLiteral("quick brown fox"),
        QStringLiteral("Quick Brown"),
        QStringLiteral("brown quick"),
        QStringLiteral("fox"),
        QStringLiteral("creme brulee"),
        QStringLiteral("CRÈME"),
        QStringLiteral("resume"),
        QStringLiteral("lazy dog."),
        QStringLiteral("quick-brown"),
        QStringLiteral("lantern notes 2026"),
        QStringLiteral("md"),
        QStringLiteral("absent words"),
        QStringLiteral("over the"),
        QStringLiteral("the"),
    };
    for (const QString& phrase : phrases) {
        SCOPED_TRACE(phrase.toStdString());
        QStringList expected;
        for (const FixtureFile& file : fixture()) {
            const QString name = QFileInfo(file.relativePath).fileName();
            const QString text =
                file.visibleText.isEmpty() ? QString::fromUtf8(file.contents) : file.visibleText;
            if (holdsInOrder(words(name), words(phrase)) ||
                holdsInOrder(words(text), words(phrase)))
                expected.append(name);
        }
        expected.sort();
        EXPECT_EQ(search(m_catalog, phrase), expected);
    }
}

TEST_F(PhraseSearchTest, RowsCarryTheColumnsAndComeLeastRelevantFirst)
{
    const StatementResult result =
        StatementProvider(m_catalog).run(phraseStatement(QStringLiteral("quick brown fox")));
    ASSERT_EQ(result.columns, QStringList({"Filename", "Size", "Write", "Path"}));
    const QStringList found = names(result);
    // Three hits in a short text outrank one in a longer one.
    EXPECT_GT(found.indexOf(QStringLiteral("g.txt")), found.indexOf(QStringLiteral("a.txt")));

    const QVariantList& row = result.rows.at(static_cast<size_t>(found.indexOf("a.txt")));
    const QFileInfo info(m_root + QStringLiteral("/a.txt"));
    EXPECT_EQ(row.at(result.columnIndex(QStringLiteral("PATH"))).toString(), info.filePath());
    EXPECT_EQ(row.at(result.columnIndex(QStringLiteral("size"))).toLongLong(), info.size());
    const double write = row.at(result.columnIndex(QStringLiteral("Write"))).toDouble();
    EXPECT_NEAR(write, DateTimeValue::fromQDateTime(info.lastModified()), 1.0 / 86400);
}

TEST_F(PhraseSearchTest, ScopeLimitsToAFolderWithOrWithoutSubfolders)
{
    const QString sub = m_root + QStringLiteral("/sub");
    const auto run = [&](const QString& folder, const QString& traversal) {
        QStringList found = names(StatementProvider(m_catalog).run(
            phraseStatement(QStringLiteral("quick brown fox"), folder, traversal)));
        found.sort();
        return found;
    };
    EXPECT_EQ(run(sub, QStringLiteral("DEEP")), QStringList({"g.txt", "quick-brown-fox.md"}));
    EXPECT_EQ(run(sub + u'/', QStringLiteral("SHALLOW")), QStringList({"quick-brown-fox.md"}));
    // A folder whose name only starts like the scope's is not inside it.
    EXPECT_TRUE(run(m_root + QStringLiteral("/su"), QStringLiteral("DEEP")).isEmpty());
}

TEST_F(PhraseSearchTest, PhraseWithoutWordsOrMissingCatalogue)
{
    EXPECT_TRUE(search(m_catalog, QStringLiteral("")).isEmpty());
    EXPECT_TRUE(search(m_catalog, QStringLiteral("-- ;")).isEmpty());
    try {
        StatementProvider(m_folder.filePath(QStringLiteral("none.db")))
            .run(phraseStatement(QStringLiteral("fox")));
        ADD_FAILURE() << "no error for a missing catalogue";
    } catch (const StatementError& error) {
        EXPECT_NE(std::string(error.what()).find("does not exist"), std::string::npos);
    }
}

} // namespace
