#include "platform/Process.h"

#include "platform/FileSystem.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {

namespace {

bool isExecutableFile(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0 && fileExists(path);
}

// The absolute path the program will be run from, or empty optional when there is none.
std::optional<std::string> resolveProgram(const std::string& program) {
    if (program.empty()) {
        return std::nullopt;
    }
    if (program.find('/') != std::string::npos) {
        // Absolute, so that a change of working directory for the child does not change
        // which file is run.
        const std::string path =
            program.front() == '/' ? program : withTrailingSlash(currentDirectory()) + program;
        return isExecutableFile(path) ? std::optional<std::string>(path) : std::nullopt;
    }
    const char* searchPath = std::getenv("PATH");
    std::string_view folders = searchPath != nullptr ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::string candidate =
            withTrailingSlash(folder.empty() ? currentDirectory() : std::string(folder)) + program;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        folders.remove_prefix(colon + 1);
    }
}

class SpawnFileActions {
public:
    SpawnFileActions() { m_valid = ::posix_spawn_file_actions_init(&m_actions) == 0; }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    ~SpawnFileActions() {
        if (m_valid) {
            ::posix_spawn_file_actions_destroy(&m_actions);
        }
    }
    bool valid() const { return m_valid; }
    posix_spawn_file_actions_t* get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions{};
    bool m_valid = false;
};

} // namespace

bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const std::string& workingDirectory) {
    const auto path = resolveProgram(program);
    if (!path) {
        return false;
    }
    if (!workingDirectory.empty() && !directoryExists(workingDirectory)) {
        return false;
    }
    SpawnFileActions actions;
    if (!actions.valid()) {
        return false;
    }
    if (!workingDirectory.empty() &&
        ::posix_spawn_file_actions_addchdir_np(actions.get(), workingDirectory.c_str()) != 0) {
        return false;
    }

    std::vector<std::string> arguments;
    arguments.reserve(args.size() + 1);
    arguments.push_back(program);
    arguments.insert(arguments.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawn(&pid, path->c_str(), actions.get(), nullptr, argv.data(), environ) != 0) {
        return false;
    }
    // Nobody waits for the program, but its exit status must still be collected, or it would
    // stay behind as a zombie for as long as this process runs.
    try {
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the child still runs; it is then collected when this process ends.
    }
    return true;
}

} // namespace platform
