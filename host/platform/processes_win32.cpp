// The renderer started with CreateProcessA and watched through its handle; the host ended with ExitProcess.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "host/platform/processes_win32.h"

#include <string>
#include <utility>

namespace zorun::host {

namespace {

class Win32Processes final : public Processes {
public:
    explicit Win32Processes(std::shared_ptr<StartedProgram> started) : started_(std::move(started)) {}

    bool StartProgram(const std::string& path) override
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        // The program's name is given apart from its command line, so a folder with blanks cannot make
        // the system start a different program; the command line is only the quoted name.
        std::string commandLine = "\"" + path + "\"";
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return false;
        CloseHandle(started.hThread);
        if (started_->process != nullptr)
            CloseHandle(started_->process);
        started_->process = started.hProcess;
        return true;
    }

    bool ProgramRunning() override
    {
        return started_->process != nullptr && WaitForSingleObject(started_->process, 0) == WAIT_TIMEOUT;
    }

    void EndProcess() override { ExitProcess(0); }

private:
    std::shared_ptr<StartedProgram> started_;
};

}  // namespace

StartedProgram::~StartedProgram()
{
    if (process != nullptr)
        CloseHandle(process);
}

std::unique_ptr<Processes> createWin32Processes(std::shared_ptr<StartedProgram> started)
{
    return std::make_unique<Win32Processes>(started ? std::move(started) : std::make_shared<StartedProgram>());
}

}  // namespace zorun::host
