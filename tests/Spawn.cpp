#include "Spawn.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void startChild(char *const *arguments, const char *directory, const Hostility &hostility,
                             int outputPipe, int errorPipe)
{
    static_cast<void>(signal(SIGPIPE, SIG_DFL));
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    if (hostility.inputClosed) {
        close(STDIN_FILENO);
    }
    dup2(outputPipe, STDOUT_FILENO);
    switch (hostility.standardError) {
    case StandardError::Closed: close(STDERR_FILENO); break;
    case StandardError::Full: dup2(open("/dev/full", O_WRONLY), STDERR_FILENO); break;
    default: dup2(errorPipe, STDERR_FILENO); break;
    }
    if (chdir(directory) != 0) {
        _exit(125);
    }
    char *empty[] = {nullptr};
    if (hostility.emptyEnvironment) {
        environ = empty;
    }
    if (hostility.withoutArguments) {
        execve(arguments[0], empty, environ);
    } else {
        execvp(arguments[0], arguments);
    }
    _exit(127);
}

}  // namespace

std::string readAll(int descriptor)
{
    std::string text;
    char chunk[4096];
    ssize_t n = 0;
    while ((n = read(descriptor, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR)) {
        text.append(chunk, static_cast<std::size_t>(n > 0 ? n : 0));
    }
    close(descriptor);
    return text;
}

RunResult spawn(const std::vector<std::string> &command, const std::string &directory,
                const Hostility &hostility)
{
    int output[2];
    int errors[2];
    if (pipe2(output, O_CLOEXEC) != 0 || pipe2(errors, O_CLOEXEC) != 0) {
        std::abort();
    }
    if (hostility.standardError == StandardError::BrokenPipe) {
        close(errors[0]);  // no reader: every write to it fails with a broken pipe
        errors[0] = -1;
    }
    std::vector<char *> arguments;
    arguments.reserve(command.size() + 1);
    for (const std::string &argument : command) {
        arguments.push_back(const_cast<char *>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        startChild(arguments.data(), directory.c_str(), hostility, output[1], errors[1]);
    }
    close(output[1]);
    close(errors[1]);

    RunResult result;
    result.output = readAll(output[0]);
    if (errors[0] >= 0) {
        result.errors = readAll(errors[0]);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "bramwick-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = std::filesystem::canonical(pattern).string();
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
