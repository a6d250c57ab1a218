// The profile-string calls on Linux: our INI engine on files, written by replacing them whole.
#include "host/profile/profile_strings.h"

#include "common/replace_file.h"
#include "host/profile/profile_engine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
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
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        close(fd);
        errno = error;
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
            const int error = errno;
            close(fd);
            errno = error;
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

// Renaming a new file over the old one needs only the folder's permission: the file's own is asked
// first, so that a read-only settings file stays as it is, as it does on Windows.
bool mayWrite(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    close(fd);
    return true;
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
    if (section == nullptr || key == nullptr || value == nullptr || file == nullptr)
        return false;
    std::string reason;
    return writeStrings(section, {{key, value}}, file, reason);
}

bool writeStrings(const std::string& section, const KeyValues& values, const std::string& file, std::string& reason)
{
    const auto fail = [&reason](int error) {
        reason = std::strerror(error);
        return false;
    };
    if (file.empty())
        return fail(ENOENT);
    for (const auto& [key, value] : values)
        if (!storable(section, key, value))
            return fail(EINVAL);
    const std::string path = resolveLink(file.c_str());
    std::string text;
    mode_t mode = 0;
    switch (readFile(path, text, mode)) {
    case ReadResult::Ok:
        if (!mayWrite(path))
            return fail(errno);
        break;
    case ReadResult::Missing:
        text.clear();
        mode = newFileMode();
        break;
    case ReadResult::Failed:
        return fail(errno);
    }
    for (const auto& [key, value] : values)
        text = setValue(text, section, key, value);
    if (!replaceFile(path, text.data(), text.size(), mode))
        return fail(errno);
    return true;
}

}  // namespace zorun::profile
