// A stand-in for Zorun.dll in tests of the host: it shows a window titled as the renderer's and takes it
// away on a schedule, as a renderer does that is slow to show its window (a mode switch on a real
// monitor, a cold start) or that restarts in the other display mode, and then ends.
//
// The schedule is ZORUN_STAND_IN: milliseconds without a window and with one, in turn, starting without
// ("2000 3000", the default: a window after 2 s, for 3 s). Its start and each change are written as a
// line to stand_in.log beside the program ("start", "window", "no window", "end"), so a test can follow it.
#include "stand_in_window.h"

#include "host/profile/program_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

void note(const std::string& what)
{
    std::ofstream(zorun::ProgramFolder() + zorun::HostPathStyle().separator + "stand_in.log", std::ios::app)
        << what << '\n';
}

}  // namespace

int main()
{
    const char* text = std::getenv("ZORUN_STAND_IN");
    std::istringstream schedule(text != nullptr ? text : "2000 3000");
    note("start");
    bool shown = false;
    for (int ms = 0; schedule >> ms;) {
        testfs::passStandInTime(ms);
        if (shown)
            testfs::closeStandInWindow();
        else
            testfs::showStandInWindow();
        shown = !shown;
        note(shown ? "window" : "no window");
    }
    if (shown)
        testfs::closeStandInWindow();
    note("end");
    return 0;
}
