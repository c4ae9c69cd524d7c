// Starts the real program as a separate process, headless, in folders made by the test.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

// Another process's progress cannot be driven by a manual clock; these waits are bounded
// polls for what the other process writes, never a wait for time to pass.
constexpr auto kPatience = std::chrono::seconds(30);

class RunningProgram {
public:
    RunningProgram(const std::string& directory, const std::string& lockDirectory)
        : m_stderrPath(directory + "/stderr.txt") {
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
            env.emplace_back(*e);
        env.push_back("ZVN_LOCK_DIR=" + lockDirectory);
        env.push_back("SDL_VIDEODRIVER=offscreen");
        env.push_back("SDL_AUDIODRIVER=dummy");
        env.push_back("ZVN_HEADLESS=1");
        std::vector<char*> envp;
        for (auto& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
        posix_spawn_file_actions_addopen(&actions, 2, m_stderrPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string program = ZVN_PROGRAM_PATH;
        char* argv[] = {program.data(), nullptr};
        m_started = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~RunningProgram() {
        if (m_started && !m_exited) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool started() const { return m_started; }
    bool alive() {
        if (m_exited)
            return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_exited = true;
            m_status = status;
        }
        return !m_exited;
    }
    // True when the program ended by itself within the patience.
    bool waitForExit() {
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (alive() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return !alive();
    }
    void close() { kill(m_pid, SIGTERM); }
    int exitCode() const { return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1; }
    std::string errorOutput() const { return readFile(m_stderrPath); }

private:
    pid_t m_pid = 0;
    bool m_started = false;
    bool m_exited = false;
    int m_status = 0;
    std::string m_stderrPath;
};

bool waitForFileContaining(const std::string& path, const std::string& text) {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < until) {
        if (readFile(path).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class ProgramProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder.file("Musik"));
        std::filesystem::create_directories(folder.file("lock"));
        testsupport::linkRepositorySkins(folder.path());
    }

    void writeConfig(const std::string& musicPath, bool debugLog) {
        writeFile(folder.file("Config.ini"), std::string("[Options]\r\nShowDebugWindow=") +
                                                 (debugLog ? "1" : "0") +
                                                 "\r\n[Paths]\r\nMP3Path=" + musicPath + "\r\n");
    }

    // A stand-in for the configuration program that only leaves a mark.
    void writeConfigProgramStandIn() {
        writeFile(folder.file("config.exe"), "#!/bin/sh\necho started > config-started.txt\n");
        chmod(folder.file("config.exe").c_str(), 0755);
    }

    std::string lockDir() const { return folder.file("lock"); }

    TempDir folder;
};

TEST_F(ProgramProcessTest, ConfiguredProgramRunsAndSavesRatingsWhenClosed) {
    writeConfig(folder.file("Musik"), true);
    RunningProgram program(folder.path(), lockDir());
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(waitForFileContaining(folder.file("debug.txt"), "gIniRootDirectoryMusic="));
    EXPECT_TRUE(program.alive());
    program.close();
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitCode(), 0);

    EXPECT_EQ(readFile(folder.file("Ratings.dat")),
              "# maximum rating is 5/5 (*****) ; no star means rating 0/5 ; no entry means no "
              "rating at all\r\n\r\n");
    const std::string log = readFile(folder.file("debug.txt"));
    EXPECT_NE(log.find("Reading Config.ini...\r\n"), std::string::npos);
    EXPECT_NE(log.find("enter callFunction_Exit()\r\n"), std::string::npos);
    EXPECT_NE(log.find("Writing Ratings.dat...\r\n"), std::string::npos);
}

TEST_F(ProgramProcessTest, LogStaysEmptyWhenLoggingIsOff) {
    writeConfig(folder.file("Musik"), false);
    RunningProgram program(folder.path(), lockDir());
    ASSERT_TRUE(program.started());
    // Ratings.dat is written at exit; the log file exists from the start.
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (!std::filesystem::exists(folder.file("debug.txt")) &&
           std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    program.close();
    ASSERT_TRUE(program.waitForExit());
    ASSERT_TRUE(std::filesystem::exists(folder.file("debug.txt")));
    EXPECT_EQ(std::filesystem::file_size(folder.file("debug.txt")), 0u);
    EXPECT_TRUE(std::filesystem::exists(folder.file("Ratings.dat")));
}

TEST_F(ProgramProcessTest, EmptyMusicRootStartsConfigurationProgramAndEnds) {
    writeConfig("", true);
    writeConfigProgramStandIn();
    RunningProgram program(folder.path(), lockDir());
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.waitForExit());
    EXPECT_TRUE(waitForFileContaining(folder.file("config-started.txt"), "started"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("Ratings.dat")));
}

TEST_F(ProgramProcessTest, MissingConfigIniReportsAndStartsConfigurationProgram) {
    writeConfigProgramStandIn();
    RunningProgram program(folder.path(), lockDir());
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.waitForExit());
    EXPECT_TRUE(waitForFileContaining(folder.file("config-started.txt"), "started"));
    EXPECT_NE(program.errorOutput().find("Fehler beim Skin-Laden:  Config.ini nicht gefunden!"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Ratings.dat")));
}

TEST_F(ProgramProcessTest, MissingSkinPictureReportsTheFileAndEnds) {
    writeConfig(folder.file("Musik"), true);
    std::filesystem::remove(folder.file("Skins"));
    std::filesystem::create_directories(folder.file("Skins/Default"));
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(ZVN_SOURCE_DIR) + "/Skins/Default")) {
        if (entry.path().filename() != "IconMusic.bmp")
            std::filesystem::copy(entry.path(), folder.file("Skins/Default") + "/" +
                                                    entry.path().filename().string());
    }
    RunningProgram program(folder.path(), lockDir());
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.waitForExit());
    EXPECT_NE(program.errorOutput().find("IconMusic.bmp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Ratings.dat")));
}

TEST_F(ProgramProcessTest, SecondCopyShowsMessageAndLeavesFirstRunning) {
    writeConfig(folder.file("Musik"), true);
    RunningProgram first(folder.path(), lockDir());
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitForFileContaining(folder.file("debug.txt"), "gIniRootDirectoryMusic="));

    TempDir secondFolder;
    RunningProgram second(secondFolder.path(), lockDir());
    ASSERT_TRUE(second.started());
    ASSERT_TRUE(second.waitForExit());
    EXPECT_NE(second.errorOutput().find("Das Programm ZVN läuft bereits! Es ist nicht sinnvoll, "
                                        "mehrere Instanzen davon zu starten."),
              std::string::npos);
    // The second copy wrote nothing in its folder.
    EXPECT_FALSE(std::filesystem::exists(secondFolder.file("Ratings.dat")));
    EXPECT_FALSE(std::filesystem::exists(secondFolder.file("debug.txt")));

    EXPECT_TRUE(first.alive());
    first.close();
    ASSERT_TRUE(first.waitForExit());
    EXPECT_TRUE(std::filesystem::exists(folder.file("Ratings.dat")));
}

} // namespace
