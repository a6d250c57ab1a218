// zorun-xscreensaver-setup [--select]: puts Zorun on the list of display modes in the user's
// ~/.xscreensaver (made from xscreensaver's defaults when the user has none), and with --select makes it
// the only one. The file is replaced whole and at once, so xscreensaver never reads half of it.
#include "common/replace_file.h"
#include "common/user_folder.h"
#include "tools/xscreensaver_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr const char* kAppDefaults = "/etc/X11/app-defaults/XScreenSaver";
constexpr const char* kName = "zorun-xscreensaver-setup";

std::optional<std::string> readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

int failure(const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", kName, what.c_str());
    return 1;
}

// The list xscreensaver falls back on, for a user without one of their own.
std::optional<std::string> defaultPrograms()
{
    const std::optional<std::string> appDefaults = readWhole(kAppDefaults);
    return appDefaults ? zorun::programsFromDefaults(*appDefaults) : std::nullopt;
}

mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int main(int argc, char** argv)
{
    bool select = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--select") == 0) {
            select = true;
        } else {
            std::fprintf(stderr, "usage: %s [--select]\n", kName);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
    const std::string home = zorun::homeFolder();
    if (home.empty())
        return failure("no home folder (HOME is not set, and the user has no entry with one)");
    std::string path = home + (home.back() == '/' ? "" : "/") + ".xscreensaver";

    // A ~/.xscreensaver that links to a file kept elsewhere stays a link: the file it names is replaced.
    struct stat status {};
    if (lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        char* target = realpath(path.c_str(), nullptr);
        if (target == nullptr)
            return failure("cannot follow the link " + path + ": " + std::strerror(errno));
        path = target;
        std::free(target);
    }

    std::string before;
    mode_t mode = newFileMode();
    const bool existed = stat(path.c_str(), &status) == 0;
    if (existed) {
        // Our replacement would belong to whoever runs this, e.g. root under sudo with the user's HOME.
        if (status.st_uid != geteuid())
            return failure(path + " belongs to another user: run this as that user");
        const std::optional<std::string> text = readWhole(path);
        if (!text)
            return failure("cannot read " + path + ": " + std::strerror(errno));
        before = *text;
        mode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failure("cannot read " + path + ": " + std::strerror(errno));
    } else {
        before = "# XScreenSaver Preferences File\n"
                 "# Written by zorun-xscreensaver-setup: the display modes of xscreensaver's defaults and Zorun;\n"
                 "# every other setting is xscreensaver's default until xscreensaver-settings saves them.\n";
    }

    std::optional<zorun::ProgramsEdit> edit = zorun::addZorunProgram(before, select);
    if (!edit) {
        // No list of the user's own: xscreensaver shows its defaults, which ours must start from.
        const std::optional<std::string> programs = defaultPrograms();
        if (!programs)
            return failure(std::string("xscreensaver's list of display modes is not in ") + kAppDefaults +
                           " (is xscreensaver installed?)");
        const bool lineOpen = !before.empty() && before.back() != '\n';
        edit = zorun::addZorunProgram(before + (lineOpen ? "\n" : "") + (before.empty() ? "" : "\n") + *programs,
                                      select);
    }
    if (!edit)
        return failure("cannot read the list of display modes xscreensaver's defaults hold");

    if (edit->text == before && existed) {
        std::printf("%s already lists Zorun%s; nothing changed.\n", path.c_str(),
                    edit->enabled ? "" : " (unticked: tick it in xscreensaver-settings, or use --select)");
        return 0;
    }
    if (!zorun::replaceFile(path, edit->text.data(), edit->text.size(), mode))
        return failure("cannot write " + path + ": " + std::strerror(errno));
    if (!existed)
        std::printf("Made %s with xscreensaver's default display modes and Zorun.\n", path.c_str());
    else if (edit->added)
        std::printf("Added Zorun to the display modes in %s.\n", path.c_str());
    if (select)
        std::printf("Zorun is xscreensaver's only display mode now.\n");
    else
        std::printf("Choose \"Zorun\" in xscreensaver-settings.\n");
    return 0;
}
