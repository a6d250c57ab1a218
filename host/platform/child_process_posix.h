// Starting programs from the host on POSIX: detached ones, and the one child the host must end itself.
#pragma once

#include <string>
#include <vector>

namespace zorun::host {

/// Starts the program at path with the arguments after its name, with the default handling of the
/// signals the host catches and nothing blocked; returns at once. The process id, or -1 when it could not
/// be started.
int spawnProgram(const std::string& path, const std::vector<std::string>& arguments);

/// A started program the host keeps track of, so it can tell whether it still runs, wake when it ends,
/// and end the renderer drawing into a window of xscreensaver's, which must not outlive the host.
/// Tracked through a pidfd, so a reused process id is never mistaken for it.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    /// Starts it (see spawnProgram) with this process's id in its environment (kHostProcessVariable),
    /// so it can tell whether its parent is still this host; false when it could not be started or tracked.
    bool start(const std::string& path, const std::vector<std::string>& arguments);
    /// True while the started process has not ended.
    bool running() const;
    /// A descriptor that poll() finds readable once the process has ended, owned here; -1 when none was
    /// started.
    int endDescriptor() const { return pidfd_; }
    /// Asks it to end (SIGTERM), waits up to graceMs for it, then kills it.
    void end(int graceMs);

private:
    int pidfd_ = -1;
};

}  // namespace zorun::host
