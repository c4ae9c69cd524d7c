#include "platform/Process.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace platform {
namespace {

using testing::eventually;
using testing::TemporaryFolder;

TEST(ProcessStart, RunsTheProgramInTheGivenFolder) {
    TemporaryFolder folder;
    ASSERT_TRUE(
        startDetached("/bin/sh", {"-c", "echo x > out.tmp && mv out.tmp out"}, folder.path()));
    EXPECT_TRUE(eventually([&] { return folder.readBytes("out") == "x\n"; }));
}

TEST(ProcessStart, PassesArgumentsUnchangedWithoutAShell) {
    TemporaryFolder folder;
    const std::vector<std::string> args = {
        "-c",    "printf '%s|' \"$0\" \"$@\" > out.tmp; mv out.tmp out",
        "first", "a b",
        "it's",  "$HOME",
        "*",     ""};
    ASSERT_TRUE(startDetached("sh", args, folder.path()));
    EXPECT_TRUE(eventually([&] { return folder.readBytes("out") == "first|a b|it's|$HOME|*||"; }));
}

TEST(ProcessStart, ReapsTheFinishedChild) {
    // A test runner may start us with SIGCHLD ignored, which makes the kernel reap children
    // by itself and would hide a missing reaper.
    struct DefaultChildSignal {
        DefaultChildSignal() : previous(std::signal(SIGCHLD, SIG_DFL)) {}
        ~DefaultChildSignal() { std::signal(SIGCHLD, previous); }
        void (*previous)(int);
    } defaultChildSignal;
    TemporaryFolder folder;
    ASSERT_TRUE(
        startDetached("/bin/sh", {"-c", "echo $$ > pid.tmp; mv pid.tmp pid"}, folder.path()));
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(folder.file("pid")); }));
    std::string pid = folder.readBytes("pid");
    while (!pid.empty() && pid.back() == '\n') {
        pid.pop_back();
    }
    ASSERT_FALSE(pid.empty());
    // A child that was not reaped stays in the process table as a zombie.
    EXPECT_TRUE(eventually([&] { return !std::filesystem::exists("/proc/" + pid); }));
}

TEST(ProcessStart, RelativeProgramPathCountsFromTheCurrentFolder) {
    TemporaryFolder programs;
    TemporaryFolder work;
    programs.writeBytes("tool.sh", "#!/bin/sh\necho ran > out\n");
    std::filesystem::permissions(programs.file("tool.sh"), std::filesystem::perms::owner_all);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(programs.path());
    const bool started = startDetached("./tool.sh", {}, work.path());
    std::filesystem::current_path(previous);
    ASSERT_TRUE(started);
    EXPECT_TRUE(eventually([&] { return work.readBytes("out") == "ran\n"; }));
}

TEST(ProcessStart, RefusesWhatCannotRun) {
    TemporaryFolder folder;
    folder.writeBytes("plain.txt", "not a program");
    std::filesystem::create_directory(folder.file("dir"));
    struct Row {
        std::string program;
        std::string workingDirectory;
    };
    const Row rows[] = {
        {folder.file("missing"), ""},
        {folder.file("plain.txt"), ""},
        {folder.file("dir"), ""},
        {"no-such-program-zvn", ""},
        {"", ""},
        {"/bin/sh", folder.file("missing-folder")},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(startDetached(row.program, {"-c", "true"}, row.workingDirectory))
            << row.program << " in " << row.workingDirectory;
    }
}

} // namespace
} // namespace platform
