#include "platform/InstanceLock.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// flock() locks belong to the open file, so a second process is the real test.
int tryInChild(const QString& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        InstanceLock lock(path);
        ::_exit(static_cast<int>(lock.tryAcquire()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WEXITSTATUS(status);
}

TEST(InstanceLockTest, OneHolderAtATimeAndReleasedWithTheHolder)
{
    TestFolder folder;
    const QString path = folder.filePath("LFDesktop.lock");
    {
        InstanceLock first(path);
        ASSERT_EQ(first.tryAcquire(), InstanceLock::Result::Acquired);
        EXPECT_EQ(tryInChild(path), static_cast<int>(InstanceLock::Result::HeldElsewhere));
    }
    EXPECT_EQ(tryInChild(path), static_cast<int>(InstanceLock::Result::Acquired));
    InstanceLock unusable(folder.filePath("missing/LFDesktop.lock"));
    EXPECT_EQ(unusable.tryAcquire(), InstanceLock::Result::Unavailable);
}

} // namespace
