// Zorun's entry on xscreensaver's list of display modes: where it lands in the shapes of list a user's
// file has, which entries already count as Zorun, and what choosing it as the only display mode changes.
#include "tools/xscreensaver_programs.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using zorun::addZorunProgram;
using zorun::programsFromDefaults;

const std::string kOurs = "  GL: \t\t\t\tzorun --root\t\t\t\t    \\n";

TEST(XscreensaverPrograms, AppendsAfterTheLastEntryOfEachShapeOfList)
{
    const struct {
        const char* shape;
        std::string before, after;
        int index;
    } cases[] = {
        {"written by xscreensaver-settings: each entry continued, a blank line ends the list",
         "mode:\t\trandom\nprograms:\t\\\n\t\tmaze --root\t\\n\\\n- GL:\t\tsproingies --root\t\\n\\\n\nnice:\t10\n",
         "mode:\t\trandom\nprograms:\t\\\n\t\tmaze --root\t\\n\\\n- GL:\t\tsproingies --root\t\\n\\\n" + kOurs +
             "\\\n\nnice:\t10\n",
         2},
        {"the last entry ends the list",
         "programs:\t\\\n\t\tmaze --root\t\\n\\\n\t\tqix --root\t\\n\nnice:\t10\n",
         "programs:\t\\\n\t\tmaze --root\t\\n\\\n\t\tqix --root\t\\n\\\n" + kOurs + "\nnice:\t10\n", 2},
        {"one line, no \\n after its entry, no line break at the end of the file", "programs: maze -root",
         "programs: maze -root\\n\\\n" + kOurs + "\n", 1},
        {"an entry that no \\n ends before the blank line", "programs: \\\n  maze -root \\\n\nb: 1\n",
         "programs: \\\n  maze -root \\\n\\n" + kOurs + "\\\n\nb: 1\n", 1},
        {"an empty list", "programs:\n", "programs:\\\n" + kOurs + "\n", 0},
        {"a comment that looks like a list before the real one",
         "# programs: old \\\nprograms: \\\n  a \\n\\\n  \"B c\" b -root \\n\\\n\n",
         "# programs: old \\\nprograms: \\\n  a \\n\\\n  \"B c\" b -root \\n\\\n" + kOurs + "\\\n\n", 2},
    };
    for (const auto& c : cases) {
        const auto edit = addZorunProgram(c.before, false);
        ASSERT_TRUE(edit) << c.shape;
        EXPECT_EQ(edit->text, c.after) << c.shape;
        EXPECT_TRUE(edit->added) << c.shape;
        EXPECT_TRUE(edit->enabled) << c.shape;
        EXPECT_EQ(edit->index, c.index) << c.shape;
        EXPECT_EQ(addZorunProgram(edit->text, false)->text, edit->text) << c.shape << ": not the same once more";
    }
}

TEST(XscreensaverPrograms, AnEntryOfTheProgramZorunIsFoundInAnyForm)
{
    const struct {
        std::string list;
        int index;
        bool enabled;
    } cases[] = {
        {"programs: \\\n  maze -root \\n\\\n  GL: zorun --root \\n\\\n\n", 1, true},
        {"programs: \\\n- GL: \t/usr/libexec/xscreensaver/zorun --root --fps \\n\\\n\n", 0, false},
        {"programs: a \\n b \\n -\t\"Clouds\"  zorun -root\n", 2, false},
        {"programs: \\\n\\n\\\n  a \\n\\\n\\n\\\n zorun \\n\\\n\n", 1, true},
    };
    for (const auto& c : cases) {
        const auto edit = addZorunProgram(c.list, false);
        ASSERT_TRUE(edit) << c.list;
        EXPECT_FALSE(edit->added) << c.list;
        EXPECT_EQ(edit->text, c.list);
        EXPECT_EQ(edit->index, c.index) << c.list;
        EXPECT_EQ(edit->enabled, c.enabled) << c.list;
    }
    // Programs whose names only contain Zorun's are others.
    for (const char* other : {"programs: zorun2 -root\n", "programs: GL: /opt/zorun/Zorun.scr --root\n",
                              "programs: \"zorun\" maze -root\n"})
        EXPECT_TRUE(addZorunProgram(other, false)->added) << other;
}

TEST(XscreensaverPrograms, SelectingMakesZorunTheOnlyDisplayModeAndTicksIt)
{
    const struct {
        std::string before, after;
    } cases[] = {
        {"mode:\t\trandom\nselected:\t-1\nprograms: \\\n  a \\n\\\n- GL: zorun --root \\n\\\n\n",
         "mode:\t\tone\nselected:\t1\nprograms: \\\n  a \\n\\\n  GL: zorun --root \\n\\\n\n"},
        {"programs: \\\n  a \\n\\\n\nlock: True", "programs: \\\n  a \\n\\\n" + kOurs +
                                                        "\\\n\nlock: True\nmode:\t\tone\nselected:\t1\n"},
        {"programs: zorun\nmode: one \nselected:  0\n", "programs: zorun\nmode: one \nselected:  0\n"},
    };
    for (const auto& c : cases) {
        const auto edit = addZorunProgram(c.before, true);
        ASSERT_TRUE(edit) << c.before;
        EXPECT_EQ(edit->text, c.after);
        EXPECT_TRUE(edit->enabled);
        EXPECT_EQ(addZorunProgram(edit->text, true)->text, edit->text) << c.before << ": not the same once more";
    }
}

TEST(XscreensaverPrograms, AFileWithoutAListTakesTheDefaultsList)
{
    EXPECT_FALSE(addZorunProgram("", false));
    EXPECT_FALSE(addZorunProgram("mode: one\n# programs: a \\n\n", true));

    const std::string appDefaults =
        "! comment\n*mode:\t\t\trandom\n*programs:\t\t\\\n\t\tmaze --root\t\\n\\\n- GL: \t\tnakagin --root\t\\n\n"
        "*fade:\t\tTrue\n";
    EXPECT_EQ(programsFromDefaults(appDefaults),
              "programs:\t\t\\\n\t\tmaze --root\t\\n\\\n- GL: \t\tnakagin --root\t\\n\n");
    EXPECT_FALSE(programsFromDefaults("*mode: random\n! *programs: a\n"));
}

}  // namespace
