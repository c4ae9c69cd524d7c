#include "platform/SingleInstance.h"

#include "platform/Process.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>

namespace platform {
namespace {

using testing::eventually;
using testing::ScopedEnvironment;
using testing::TemporaryFolder;

class SingleInstance : public ::testing::Test {
protected:
    TemporaryFolder folder;
    ScopedEnvironment lockDirectory{"ZVN_LOCK_DIR", folder.path()};
};

TEST_F(SingleInstance, SecondLockOfTheSameNameIsRefusedUntilTheFirstEnds) {
    {
        std::optional<SingleInstanceLock> first(std::in_place, "ZVN");
        ASSERT_TRUE(first->acquired());
        SingleInstanceLock second("ZVN");
        EXPECT_FALSE(second.acquired());
        EXPECT_FALSE(second.errorText().empty());
        SingleInstanceLock otherName("ZVN-other");
        EXPECT_TRUE(otherName.acquired());

        first.reset();
        SingleInstanceLock third("ZVN");
        EXPECT_TRUE(third.acquired());
    }
    SingleInstanceLock afterAll("ZVN");
    EXPECT_TRUE(afterAll.acquired());
}

TEST_F(SingleInstance, LockFileNameHoldsNameAndUser) {
    SingleInstanceLock lock("ZVN");
    EXPECT_EQ(lock.lockFilePath(), folder.path() + "ZVN-" + std::to_string(::getuid()) + ".lock");
    EXPECT_TRUE(std::filesystem::exists(lock.lockFilePath()));
}

// A program started while the lock is held (such as the configuration program, which later
// starts this program again) must not keep the lock alive after its starter has ended.
TEST_F(SingleInstance, StartedProgramsDoNotInheritTheLock) {
    const auto waitFor = [&](const std::string& name) {
        return eventually([&] { return std::filesystem::exists(folder.file(name)); });
    };
    std::optional<SingleInstanceLock> lock(std::in_place, "ZVN");
    ASSERT_TRUE(lock->acquired());
    // The child stays alive until the test releases it (or five seconds have passed).
    const std::string script = "touch started; i=0; while [ ! -e release ] && [ $i -lt 500 ]; "
                               "do sleep 0.01; i=$((i+1)); done; touch finished";
    ASSERT_TRUE(startDetached("/bin/sh", {"-c", script}, folder.path()));
    ASSERT_TRUE(waitFor("started"));

    lock.reset();
    SingleInstanceLock next("ZVN");
    EXPECT_TRUE(next.acquired());

    folder.writeBytes("release", "");
    EXPECT_TRUE(waitFor("finished"));
}

} // namespace
} // namespace platform
