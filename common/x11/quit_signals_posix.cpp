// The self-pipe between the signal handler and the event loop.
#include "common/x11/quit_signals_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace zorun::x11 {

namespace {

int signalPipe[2] = {-1, -1};

void onQuitSignal(int)
{
    // The interrupted code may be about to read errno.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

int watchQuitSignals(LaterSignals later)
{
    if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    action.sa_flags = SA_RESTART | (later == LaterSignals::EndProcess ? SA_RESETHAND : 0);
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
    return signalPipe[0];
}

bool takeQuitSignal()
{
    bool taken = false;
    char drain[16];
    while (signalPipe[0] >= 0 && read(signalPipe[0], drain, sizeof drain) > 0)
        taken = true;
    return taken;
}

}  // namespace zorun::x11
