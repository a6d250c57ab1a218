// The texture's folder and file on POSIX: folders made 0700 with their parents, the bitmap replaced whole.
#include "host/platform/files_posix.h"

#include "common/bitmap_writer.h"
#include "common/replace_file.h"

#include <sys/stat.h>

#include <string>

namespace zorun::host {

namespace {

class PosixFiles final : public Files {
public:
    bool CreateFolder(const std::string& path) override
    {
        if (path.empty())
            return false;
        // Missing parents (a new account has no ~/.cache yet) are made too, each 0700 as the XDG base
        // directory rules ask; the answer is the last folder's, as CreateDirectory gives it.
        for (auto slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
            mkdir(path.substr(0, slash).c_str(), 0700);
        return mkdir(path.c_str(), 0700) == 0;
    }

    bool SavePictureAsBitmap(const Picture& picture, const std::string& path) override
    {
        // Replaced whole: a link planted at the path is replaced instead of written through, and the
        // renderer never sees half a file.
        const auto bytes = encodeBitmap24(picture.width, picture.height, picture.rgb);
        return !bytes.empty() && path.find('/') != std::string::npos &&
               replaceFile(path, bytes.data(), bytes.size(), 0644);
    }
};

}  // namespace

std::unique_ptr<Files> createPosixFiles()
{
    return std::make_unique<PosixFiles>();
}

}  // namespace zorun::host
