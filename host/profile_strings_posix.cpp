// The profile-string calls on Linux: our INI engine on files, written by replacing them whole.
#include "profile_strings.h"

#include "profile_engine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zorun::profile {
namespace {

enum class ReadResult { Ok, Missing, Failed };

ReadResult readFile(const std::string& path, std::string& text, mode_t& mode)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return ReadResult::Failed;
    }
    mode = info.st_mode & 07777;
    text.clear();
    char chunk[8192];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            close(fd);
            return ReadResult::Failed;
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    return ReadResult::Ok;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// A settings file reached through a link is edited where it lives, and the link stays.
std::string resolveLink(const char* file)
{
    struct stat info {};
    if (lstat(file, &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(file, resolved) != nullptr)
            return resolved;
    }
    return file;
}

mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The new text goes into a temporary file beside the old one, which is renamed over it only once the
// text is complete on disk: a failure on the way (a full disk, a killed process) leaves the old file.
bool replaceFile(const std::string& path, const std::string& text, mode_t mode)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, mode) == 0 && writeAll(fd, text) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);  // makes the rename itself durable; the data is already safe either way
        close(dirFd);
    }
    return true;
}

}  // namespace

std::uint32_t getString(const char* section, const char* key, const char* def, char* buffer, std::uint32_t size,
                        const char* file)
{
    std::string text;
    mode_t mode = 0;
    std::optional<std::string> value;
    if (section != nullptr && key != nullptr && file != nullptr && *file != '\0' &&
        readFile(file, text, mode) == ReadResult::Ok)
        value = findValue(text, section, key);
    return copyOut(value ? std::string_view(*value) : usableDefault(def), buffer, size);
}

bool writeString(const char* section, const char* key, const char* value, const char* file)
{
    if (section == nullptr || key == nullptr || value == nullptr || file == nullptr || *file == '\0')
        return false;
    if (!storable(section, key, value))
        return false;
    const std::string path = resolveLink(file);
    std::string text;
    mode_t mode = 0;
    switch (readFile(path, text, mode)) {
    case ReadResult::Ok:
        break;
    case ReadResult::Missing:
        text.clear();
        mode = newFileMode();
        break;
    case ReadResult::Failed:
        return false;
    }
    return replaceFile(path, setValue(text, section, key, value), mode);
}

}  // namespace zorun::profile
