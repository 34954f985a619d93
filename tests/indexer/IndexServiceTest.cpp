#include "indexer/IndexCommand.h"
#include "tests/indexer/IndexerTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace IndexerTest;

namespace {

// The real lanternfly-index serve in a private home: scope, parameter file
// and catalogue all inside the test's folder.
class IndexServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_home = m_folder.filePath(QStringLiteral("home"));
        QDir().mkpath(m_home + QStringLiteral("/run"));
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("HOME"), m_home);
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                             m_home + QStringLiteral("/.config"));
        m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home + QStringLiteral("/.cache"));
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home + QStringLiteral("/.run"));
        QDir().mkpath(m_home + QStringLiteral("/.run"));
        m_catalog = m_home + QStringLiteral("/.cache/lanternfly-desktop/catalog.db");
    }

    void TearDown() override
    {
        if (m_service.state() != QProcess::NotRunning) {
            m_service.terminate();
            m_service.waitForFinished(10000);
        }
    }

    void startService()
    {
        m_service.setProcessEnvironment(m_environment);
        m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_service.start(QStringLiteral(LF_BIN_DIR "/lanternfly-index"), {QStringLiteral("serve")});
        ASSERT_TRUE(m_service.waitForStarted(5000));
    }

    // Polls the catalogue until the phrase finds exactly these names, within a bound.
    bool eventually(const QString& phrase, const QStringList& expected, int boundMs = 10000)
    {
        QDeadlineTimer deadline(boundMs);
        QStringList found;
        while (!deadline.hasExpired()) {
            try {
                found = search(m_catalog, phrase);
                if (found == expected)
                    return true;
            } catch (const StatementError&) {
                // Not created yet.
            }
            QThread::msleep(20);
        }
        ADD_FAILURE() << phrase.toStdString() << " found " << found.join(u',').toStdString();
        return false;
    }

    TestFolder m_folder;
    QString m_home;
    QString m_catalog;
    QProcessEnvironment m_environment;
    QProcess m_service;
};

TEST_F(IndexServiceTest, FollowsCreatedChangedMovedAndDeletedFiles)
{
    writeFile(m_home + QStringLiteral("/Documents/before.txt"), "present at the start");
    startService();
    ASSERT_TRUE(eventually(QStringLiteral("present at the start"), {"before.txt"}));
    // The parameter file was missing: the service wrote the normal profile and the home scope.
    const QByteArray ini =
        QFile(m_home + QStringLiteral("/.config/lanternfly-desktop/ContentIndex.ini")).exists()
            ? m_folder.read(QStringLiteral("home/.config/lanternfly-desktop/ContentIndex.ini"))
            : QByteArray();
    EXPECT_TRUE(ini.contains("ServiceUsage=1"));
    EXPECT_TRUE(ini.contains("Folders=" + QFile::encodeName(m_home)));

    writeFile(m_home + QStringLiteral("/Documents/new.txt"), "freshly written words");
    EXPECT_TRUE(eventually(QStringLiteral("freshly written words"), {"new.txt"}));

    writeFile(m_home + QStringLiteral("/Documents/new.txt"), "rewritten words");
    EXPECT_TRUE(eventually(QStringLiteral("rewritten words"), {"new.txt"}));
    EXPECT_TRUE(search(m_catalog, QStringLiteral("freshly written")).isEmpty());

    ASSERT_TRUE(QFile::rename(m_home + QStringLiteral("/Documents/new.txt"),
                              m_home + QStringLiteral("/Documents/renamed.txt")));
    EXPECT_TRUE(eventually(QStringLiteral("rewritten words"), {"renamed.txt"}));

    // A folder made after the start, with a file in it, and then moved away wholesale.
    writeFile(m_home + QStringLiteral("/Projects/plan/steps.txt"), "first milestone");
    EXPECT_TRUE(eventually(QStringLiteral("first milestone"), {"steps.txt"}));
    ASSERT_TRUE(QFile::rename(m_home + QStringLiteral("/Projects"),
                              m_home + QStringLiteral("/.trash-projects")));
    EXPECT_TRUE(eventually(QStringLiteral("first milestone"), {}));

    ASSERT_TRUE(QFile::remove(m_home + QStringLiteral("/Documents/renamed.txt")));
    EXPECT_TRUE(eventually(QStringLiteral("rewritten words"), {}));
}

TEST_F(IndexServiceTest, OneServicePerUserAndParameterChangesApply)
{
    writeFile(m_home + QStringLiteral("/notes/app.log"), "log line words");
    writeFile(m_home + QStringLiteral("/notes/keep.txt"), "kept words");
    startService();
    ASSERT_TRUE(eventually(QStringLiteral("log line words"), {"app.log"}));

    QProcess second;
    second.setProcessEnvironment(m_environment);
    second.start(QStringLiteral(LF_BIN_DIR "/lanternfly-index"), {QStringLiteral("serve")});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), IndexCommand::AlreadyRunning);

    // Excluding *.log in the parameter file removes what it matches.
    const QString ini = m_home + QStringLiteral("/.config/lanternfly-desktop/ContentIndex.ini");
    QByteArray text =
        m_folder.read(QStringLiteral("home/.config/lanternfly-desktop/ContentIndex.ini"));
    text.replace("Exclude=", "Exclude=*.log;");
    writeFile(ini, text);
    EXPECT_TRUE(eventually(QStringLiteral("log line words"), {}));
    EXPECT_EQ(search(m_catalog, QStringLiteral("kept words")), QStringList({"keep.txt"}));

    // The catalogue deleted under the running service is made again.
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(m_catalog + QLatin1String(suffix));
    EXPECT_TRUE(eventually(QStringLiteral("kept words"), {"keep.txt"}));

    m_service.terminate();
    ASSERT_TRUE(m_service.waitForFinished(10000));
    EXPECT_EQ(m_service.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_service.exitCode(), 0);
}

TEST(IndexCommandTest, ScriptsGetRowsAndExitCodes)
{
    TestFolder folder;
    const QString home = folder.filePath(QStringLiteral("home"));
    writeFile(home + QStringLiteral("/a.txt"), "tab separated result");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    const auto run = [&](const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LF_BIN_DIR "/lanternfly-index"), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitCode();
    };
    EXPECT_EQ(run({"search", "anything"}), IndexCommand::CatalogError); // nothing indexed yet
    EXPECT_EQ(run({"update"}), IndexCommand::Ok);
    QByteArray output;
    EXPECT_EQ(run({"search", "separated", "result"}, &output), IndexCommand::Ok);
    EXPECT_EQ(output, QFile::encodeName(home) + "/a.txt\n");
    EXPECT_EQ(run({"query", "SELECT Filename, Size FROM SCOPE('DEEP TRAVERSAL OF \"\\\"') "
                            "WHERE CONTAINS('\"tab separated\"')"},
                  &output),
              IndexCommand::Ok);
    EXPECT_EQ(output, "a.txt\t20\n");
    EXPECT_EQ(run({"search", "absent"}), IndexCommand::NoRows);
    EXPECT_EQ(run({"query", "SELECT Title"}), IndexCommand::Usage);
    EXPECT_EQ(run({"frobnicate"}), IndexCommand::Usage);
    EXPECT_EQ(run({"stats"}, &output), IndexCommand::Ok);
    EXPECT_TRUE(output.contains("files\t1\n"));
}

} // namespace
