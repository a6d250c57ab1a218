// The X11 runtime: posted messages in Win32's order, quit signals reaching the loop, and the error trap.
#include <gtest/gtest.h>

#include "common/x11/connection_x11.h"
#include "common/x11/error_trap_x11.h"
#include "common/x11/posted_messages.h"
#include "common/x11/quit_signals_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <deque>

namespace zorun::x11 {
namespace {

struct Message {
    int window = 0;
    int message = 0;
    bool operator==(const Message&) const = default;
};

void PrintTo(const Message& m, std::ostream* os)
{
    *os << "window " << m.window << " message " << m.message;
}

TEST(PostedMessages, EachWindowGetsItsOwnInPostOrderAndAGoneWindowNone)
{
    PostedMessages<Message> queue;
    for (Message m : {Message{1, 10}, Message{2, 20}, Message{1, 11}, Message{3, 30}, Message{2, 21}})
        queue.post(m);
    EXPECT_EQ(queue.take(2)->message, 20);
    EXPECT_EQ(queue.take(0)->message, 10) << "no window: the oldest of all";
    queue.forget(3);
    EXPECT_FALSE(queue.take(3).has_value());
    EXPECT_EQ(queue.takeAll(), (std::deque<Message>{{1, 11}, {2, 21}}));
    EXPECT_TRUE(queue.empty());
}

bool readable(int descriptor)
{
    pollfd fd{descriptor, POLLIN, 0};
    return poll(&fd, 1, 0) == 1;
}

TEST(QuitSignals, EachSignalWakesTheLoopOnceAndTheDescriptorIsNotInherited)
{
    const int descriptor = watchQuitSignals(LaterSignals::Watched);
    ASSERT_GE(descriptor, 0);
    EXPECT_NE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC, 0) << "a started program would inherit it";
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(raise(signalNumber), 0);
        EXPECT_TRUE(readable(descriptor)) << signalNumber;
        EXPECT_TRUE(takeQuitSignal()) << signalNumber;
        EXPECT_FALSE(takeQuitSignal()) << signalNumber;
    }
}

TEST(QuitSignals, TheHandlerKeepsErrnoWhenThePipeIsFull)
{
    const int descriptor = watchQuitSignals(LaterSignals::Watched);
    ASSERT_GE(descriptor, 0);
    // The smallest pipe: a few thousand signals fill it, and the handler's write then fails with EAGAIN.
    ASSERT_GT(fcntl(descriptor, F_SETPIPE_SZ, 4096), 0);
    for (int i = 0; i < 4096; ++i)
        raise(SIGTERM);
    errno = ERANGE;
    raise(SIGTERM);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_TRUE(takeQuitSignal());
}

// Watched, a signal that comes again is only noted: the full pipe above raises thousands of them.
TEST(QuitSignalsDeathTest, ASecondSignalEndsTheProcessWhenAskedTo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            watchQuitSignals(LaterSignals::EndProcess);
            raise(SIGTERM);
            raise(SIGTERM);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

TEST(ErrorTrap, AFailedRequestIsReportedToTheTrapSetBeforeItOnly)
{
    if (std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "needs an X display";
    Connection connection;
    ASSERT_TRUE(connection.open());
    const Window unknown = 0x7fffffff;
    ErrorTrap failing(connection.display);
    XMapWindow(connection.display, unknown);  // answered later: the trap has to wait for it
    EXPECT_FALSE(failing.clean());
    ErrorTrap later(connection.display);
    XMapWindow(connection.display, connection.root);
    EXPECT_TRUE(later.clean());
}

}  // namespace
}  // namespace zorun::x11
