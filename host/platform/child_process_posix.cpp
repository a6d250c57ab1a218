// posix_spawn for the host's programs, and a pidfd to watch and end the one it must not leave behind.
#include "host/platform/child_process_posix.h"

#include "common/renderer_contract.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
// HACK: Debian 12's glibc declares the pidfd calls without the C linkage block its other headers have.
extern "C" {
#include <sys/pidfd.h>
}
#include <unistd.h>

#include <cstring>

extern char** environ;

namespace zorun::host {

namespace {

int spawnWithEnvironment(const std::string& path, const std::vector<std::string>& arguments, char* const* environment)
{
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return -1;
    // The program starts with the default signal handling and nothing blocked, whatever the host set.
    sigset_t defaults, none;
    sigemptyset(&defaults);
    for (int s : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        sigaddset(&defaults, s);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::vector<std::string> texts;
    texts.reserve(arguments.size() + 1);
    texts.push_back(path);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int result = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv.data(), environment);
    posix_spawnattr_destroy(&attributes);
    return result == 0 ? static_cast<int>(pid) : -1;
}

}  // namespace

int spawnProgram(const std::string& path, const std::vector<std::string>& arguments)
{
    return spawnWithEnvironment(path, arguments, environ);
}

ChildProcess::~ChildProcess()
{
    if (pidfd_ >= 0)
        close(pidfd_);
}

bool ChildProcess::start(const std::string& path, const std::vector<std::string>& arguments)
{
    if (pidfd_ >= 0)
        close(pidfd_);
    pidfd_ = -1;
    // The child is told who it belongs to: a host killed before the child asks for a signal at its
    // parent's death sends none, and the child's new parent is not this process. Built here rather than
    // with setenv, which is not safe beside the threads the music runs on.
    const std::string variable = std::string(kHostProcessVariable) + "=";
    std::string self = variable + std::to_string(getpid());
    std::vector<char*> environment{self.data()};
    for (char** entry = environ; *entry != nullptr; ++entry)
        if (std::strncmp(*entry, variable.c_str(), variable.size()) != 0)
            environment.push_back(*entry);
    environment.push_back(nullptr);
    const int pid = spawnWithEnvironment(path, arguments, environment.data());
    if (pid < 0)
        return false;
    // The host reaps its children through SA_NOCLDWAIT, so the id could in principle be reused before
    // this call; a program that ends this fast failed to start anyway, and the watch then ends the run.
    pidfd_ = pidfd_open(pid, 0);  // close-on-exec by design
    return pidfd_ >= 0;
}

bool ChildProcess::running() const
{
    if (pidfd_ < 0)
        return false;
    pollfd ended{pidfd_, POLLIN, 0};
    return poll(&ended, 1, 0) == 0;
}

void ChildProcess::end(int graceMs)
{
    if (!running())
        return;
    pidfd_send_signal(pidfd_, SIGTERM, nullptr, 0);
    pollfd ended{pidfd_, POLLIN, 0};
    if (poll(&ended, 1, graceMs) != 1)
        pidfd_send_signal(pidfd_, SIGKILL, nullptr, 0);
}

}  // namespace zorun::host
