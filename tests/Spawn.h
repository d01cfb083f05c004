// Runs a program as a child process with chosen standard streams, and collects what it did.
#pragma once

#include <string>
#include <vector>

enum class StandardError { Captured, Closed, Full, BrokenPipe };

struct RunResult {
    int exitStatus = -1;  // -1 when the child did not exit normally
    int signal = 0;       // the signal that ended it, if one did
    std::string output;   // standard output
    std::string errors;   // standard error, when captured
};

struct Hostility {
    StandardError standardError = StandardError::Captured;
    bool withoutArguments = false;  // an empty argument vector, not even a program name (argc 0)
    bool inputClosed = false;       // no standard input at all, rather than /dev/null
    bool emptyEnvironment = false;
};

// Starts `command` (command[0] is looked up on PATH) in `directory`, standard input from /dev/null,
// SIGPIPE at its default, made as hostile as asked.
RunResult spawn(const std::vector<std::string> &command, const std::string &directory,
                const Hostility &hostility = {});

// Everything that can be read from `descriptor` until its end; closes it.
std::string readAll(int descriptor);

// A fresh folder under the system's temporary folder, removed with everything in it when destroyed.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    const std::string &path() const { return path_; }

  private:
    std::string path_;
};
