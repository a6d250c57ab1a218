// Makes a disc image to try the audio CD music without a drive: three tracks of distinct tones.
// Usage: make_cd_image OUT.cue [seconds per track, default 3]; then run the saver with
// ZORUN_CD_DEVICE=OUT.cue and BGM区分=1 in Zorun.ini.
#include "tools/cd_image.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.cue [seconds per track]\n", argv[0]);
        return 2;
    }
    double seconds = argc == 3 ? std::atof(argv[2]) : 3.0;
    if (!(seconds > 0.0 && seconds < 600.0)) {
        std::fprintf(stderr, "seconds per track must be between 0 and 600\n");
        return 2;
    }
    if (!zorun::tools::writeCdImage(argv[1], {440, 660, 990}, seconds)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
