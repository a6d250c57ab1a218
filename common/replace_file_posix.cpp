// The new text goes into a temporary file beside the old one, renamed over it only once it is complete
// on disk: a full disk or a killed process leaves the old file.
#include "common/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zorun {

namespace {

bool writeAll(int fd, const unsigned char* bytes, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, bytes + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put == 0)
            errno = EIO;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

bool replaceFile(const std::string& path, const void* bytes, std::size_t size, unsigned mode)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return false;
    std::string temporary = folder + "." + name + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, static_cast<mode_t>(mode)) == 0 &&
              writeAll(fd, static_cast<const unsigned char*>(bytes), size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int error = errno;  // the caller reports the step that failed, not the clean-up
        unlink(temporary.c_str());
        errno = error;
        return false;
    }
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const int dirFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);  // makes the rename itself durable; the data is already safe either way
        close(dirFd);
    }
    return true;
}

}  // namespace zorun
