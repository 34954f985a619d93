#include "indexer/IndexerSupervisor.h"

#include "tests/support/TestSupport.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Runs the event loop until done() holds or the bound passes.
template <typename Done> bool waitUntil(Done done, int boundMs = 10000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

QString fakeService(const TestFolder& folder, const QByteArray& body)
{
    folder.write(QStringLiteral("fake-index"), "#!/bin/sh\n" + body + "\n");
    const QString path = folder.filePath(QStringLiteral("fake-index"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

IndexerSupervisor::Timing fastTiming()
{
    IndexerSupervisor::Timing timing;
    timing.firstRestart = 10ms;
    timing.longestRestart = 40ms;
    timing.otherServiceRecheck = 60000ms;
    return timing;
}

TEST(IndexerSupervisorTest, MissingProgramLeavesTheSidebarRunning)
{
    TestFolder folder;
    IndexerSupervisor supervisor(folder.filePath(QStringLiteral("lanternfly-index")));
    EXPECT_FALSE(supervisor.start());
    EXPECT_FALSE(supervisor.start());
    EXPECT_FALSE(supervisor.isRunning());
}

TEST(IndexerSupervisorTest, DyingServiceIsRestartedWithGrowingPauses)
{
    TestFolder folder;
    const QString program = fakeService(folder, "echo run >> \"$0.runs\"; exit 1");
    IndexerSupervisor supervisor(program, fastTiming());
    std::vector<long long> delays;
    QObject::connect(&supervisor, &IndexerSupervisor::serviceEnded, [&] {
        // The pause is chosen right after this signal; read it on the next turn.
        QTimer::singleShot(0, [&] { delays.push_back(supervisor.nextDelay().count()); });
    });
    ASSERT_TRUE(supervisor.start());
    ASSERT_TRUE(waitUntil([&] { return delays.size() >= 4; }));
    EXPECT_EQ(delays[0], 10);
    EXPECT_EQ(delays[1], 20);
    EXPECT_EQ(delays[2], 40);
    EXPECT_EQ(delays[3], 40); // capped
    EXPECT_GE(folder.read(QStringLiteral("fake-index.runs")).count("run"), 4);
}

TEST(IndexerSupervisorTest, ServiceOfAnotherStartIsLeftAlone)
{
    TestFolder folder;
    IndexerSupervisor supervisor(fakeService(folder, "exit 4"), fastTiming());
    int ends = 0;
    QObject::connect(&supervisor, &IndexerSupervisor::serviceEnded, [&] { ++ends; });
    ASSERT_TRUE(supervisor.start());
    ASSERT_TRUE(waitUntil([&] { return ends == 1; }));
    EXPECT_EQ(supervisor.nextDelay(), 60000ms);
}

TEST(IndexerSupervisorTest, EndsItsServiceWithTheSidebar)
{
    TestFolder folder;
    qint64 pid = 0;
    {
        IndexerSupervisor supervisor(fakeService(folder, "exec sleep 60"), fastTiming());
        ASSERT_TRUE(supervisor.start());
        ASSERT_TRUE(supervisor.isRunning());
        pid = supervisor.processId();
        ASSERT_GT(pid, 0);
    }
    // Reaped by the supervisor: the id no longer names a live process.
    EXPECT_NE(::kill(static_cast<pid_t>(pid), 0), 0);
}

} // namespace
