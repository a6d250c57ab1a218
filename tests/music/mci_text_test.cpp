// Our MCI's command words, replies and error texts, as winmm's string interface handles them.
#include "mci_port.h"
#include "mci_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zorun::music {
namespace {

TEST(SplitMciCommand, WordsAndQuotedPaths) {
    struct Case {
        std::string command;
        std::uint32_t result;
        std::vector<std::string> words;
    };
    const std::vector<Case> cases = {
        {"status MP3Play mode", 0, {"status", "MP3Play", "mode"}},
        {"  play\tMP3Play   from 0 ", 0, {"play", "MP3Play", "from", "0"}},
        {"open \"/m/My Music/\xe6\x9b\xb2 1.mp3\" type MPEGVideo Alias MP3Play", 0,
         {"open", "/m/My Music/\xe6\x9b\xb2 1.mp3", "type", "MPEGVideo", "Alias", "MP3Play"}},
        // A code page 932 trail byte may be a backslash; it stays a plain byte.
        {"open \"C:\\\x95\\.mp3\" alias a", 0, {"open", "C:\\\x95\\.mp3", "alias", "a"}},
        {"open \"\" alias a", 0, {"open", "", "alias", "a"}},
        {"open \"/m/a.mp3 type MPEGVideo", kMcierrNoClosingQuote, {}},
        {"", 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words{"stale"};
        EXPECT_EQ(splitMciCommand(c.command, words), c.result) << c.command;
        if (c.result == 0) {
            EXPECT_EQ(words, c.words) << c.command;
        }
    }
    EXPECT_TRUE(sameMciWord("MPEGVideo", "mpegvideo"));
    EXPECT_FALSE(sameMciWord("MP3Play", "MP3Pla"));
}

TEST(CopyMciReply, FitsWithItsNulOrOverflows) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(copyMciReply("playing", buffer, 8), 0u);
    EXPECT_STREQ(buffer, "playing");
    EXPECT_EQ(copyMciReply("playing", buffer, 7), kMcierrParamOverflow);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(copyMciReply("playing", nullptr, 0), 0u);
}

TEST(CopyMciErrorText, CutToTheBufferAndUnknownCodesRefused) {
    char text[16];
    EXPECT_NE(copyMciErrorText(kMcierrInvalidDeviceName, text, sizeof text), 0);
    EXPECT_EQ(std::string(text), std::string(mciErrorText(kMcierrInvalidDeviceName)).substr(0, 15));
    EXPECT_EQ(copyMciErrorText(kMcierrInvalidDeviceName, text, 0), 0);
    EXPECT_EQ(copyMciErrorText(12345, text, sizeof text), 0);
    EXPECT_STREQ(mciErrorText(kMcierrInvalidDeviceName),
                 "The specified device is not open or is not recognized by MCI.");
}

}  // namespace
}  // namespace zorun::music
