// The profile-string calls on Linux: our INI engine on files, written by replacing them whole.
#include "host/profile/profile_strings.h"

#include "common/replace_file.h"
#include "host/profile/profile_engine.h"

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
    const std::string updated = setValue(text, section, key, value);
    return replaceFile(path, updated.data(), updated.size(), mode);
}

}  // namespace zorun::profile
