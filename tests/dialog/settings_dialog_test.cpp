// The settings dialog's logic through a fake window, platform and settings file.
#include "fake_dialog.h"

#include "host/dialog/dialog_gradient.h"

#include <gtest/gtest.h>

namespace zorun::host {
namespace {

using Writes = std::vector<std::pair<std::string, std::string>>;

struct Dialog {
    FakeDialogView view;
    FakeDialogShell shell;
    FakeSettingsWriter writer;
    SharedSettings settings;
    Zorun_P form{view, shell, writer, settings, "https://zorun.example/", kWindowsJapanesePaths};

    explicit Dialog(std::int16_t kind = 0, std::int16_t track = 0)
        : settings{kind, track, "C:\\Music\\a.mp3", "C:\\Music"}
    {}
};

// A dialog as it shows once loaded.
struct LoadedDialog : Dialog {
    explicit LoadedDialog(std::int16_t kind = 0, std::int16_t track = 0) : Dialog(kind, track) { form.Form_Load(); }
};

TEST(SettingsDialogLoad, ControlsFollowTheKind)
{
    struct Row {
        std::int16_t kind;
        bool combo, fileButton;
        std::vector<int> marks;
    };
    const Row rows[] = {
        {-1, false, false, {}}, {0, false, false, {0}}, {1, true, false, {1}},
        {2, false, true, {2}},  {3, false, false, {}},
    };
    for (const Row& row : rows) {
        LoadedDialog d(row.kind);
        EXPECT_EQ(d.view.comboEnabled, row.combo) << row.kind;
        EXPECT_EQ(d.view.fileButtonEnabled, row.fileButton) << row.kind;
        EXPECT_EQ(d.view.selectedMarks, row.marks) << row.kind;
        EXPECT_TRUE(d.view.buttonsInitialized);
    }
}

TEST(SettingsDialogLoad, PlacementComboAndFileLabel)
{
    LoadedDialog d(1, 0);
    EXPECT_EQ(std::pair(d.view.left, d.view.top), std::pair((1280 - 502) / 2, (1024 - 272) / 3)) << "left, top";
    EXPECT_EQ(d.view.comboText, "");
    std::vector<std::string> tracks{""};  // no track, then 1 to 30
    for (int track = 1; track <= 30; ++track)
        tracks.push_back(std::to_string(track));
    EXPECT_EQ(d.view.comboList, tracks);
    EXPECT_EQ(d.view.fileLabel, "C:\\Music\\a.mp3");
    EXPECT_EQ(d.view.pointer, std::vector<bool>{false});

    EXPECT_EQ(LoadedDialog(1, -3).view.comboText, "-3");
}

TEST(SettingsDialogZoom, FromAndToThePointerOrTheScreenCorner)
{
    for (bool known : {true, false}) {
        Dialog d;
        d.shell.cursorKnown = known;
        d.form.Form_Load();
        d.form.Form_Unload();
        const Rect point = known ? Rect{700, 500, 700, 500} : Rect{0, 0, 0, 0};
        EXPECT_EQ(d.shell.zooms,
                  (std::vector<std::pair<Rect, Rect>>{{point, d.shell.window}, {d.shell.window, point}}));
    }
}

TEST(SettingsDialogStore, KeysInOrderWithTheRepeatTrackRounded)
{
    struct Row {
        const char* text;
        const char* stored;
    };
    // 40000 does not fit a track number: the track stays as it was loaded (7).
    const Row rows[] = {{"", " 0"},    {"abc", " 0"}, {"2.5", " 2"},   {"3.5", " 4"}, {"12", " 12"},
                        {" 5 ", " 5"}, {"-4", "-4"},  {"40000", " 7"}, {"12a", " 0"}, {"-0.4", " 0"}};
    for (const Row& row : rows) {
        LoadedDialog d(1, 7);
        d.view.comboText = row.text;
        d.form.Cmd_Set_Click();
        const Writes expected{{"BGM\x8b\xe6\x95\xaa", " 1"},
                              {"BGM\xd8\xcb\xdf\xb0\xc4", row.stored},
                              {"BGM\xcc\xa7\xb2\xd9", "C:\\Music\\a.mp3"}};
        EXPECT_EQ(d.writer.stores, std::vector<Writes>{expected}) << row.text;
        EXPECT_TRUE(d.view.closed);
        EXPECT_TRUE(d.view.failures.empty());
    }
}

TEST(SettingsDialogStore, AFailedStoreKeepsTheDialogOpenAndNamesTheFileAndTheReason)
{
    LoadedDialog d(1, 0);
    d.view.comboText = "12";
    d.writer.failWith = "Permission denied";
    d.form.Cmd_Set_Click();
    EXPECT_FALSE(d.view.closed);
    ASSERT_EQ(d.view.failures.size(), 1u);
    const StoreFailure& shown = d.view.failures[0];
    EXPECT_EQ(std::tuple(shown.caption, shown.heading, shown.path, shown.reason),
              std::tuple("Zorun", "設定ﾌｧｲﾙに書き込めませんでした。", "C:\\Zorun\\Zorun.ini", "Permission denied"));

    // Once the file can be written (the person fixed it), the same click stores and closes.
    d.writer.failWith.reset();
    d.form.Cmd_Set_Click();
    EXPECT_TRUE(d.view.closed);
    ASSERT_EQ(d.writer.stores.size(), 1u);
    EXPECT_EQ(d.writer.stores[0][1].second, " 12");
}

TEST(SettingsDialogOptions, PickingSwitchesTheControlsAndKeepsTheTrackText)
{
    LoadedDialog d(1, 5);
    d.view.comboText = "9";
    for (const int kind : {2, 1, 0}) {
        d.form.Option_MouseDown(kind);
        EXPECT_EQ(std::tuple(d.view.fileButtonEnabled, d.view.comboEnabled, d.view.selectedMarks),
                  std::tuple(kind == 2, kind == 1, std::vector<int>{kind}))
            << "file button, combo, marks after picking " << kind;
    }
    EXPECT_EQ(d.view.comboText, "9");
    d.form.Cmd_Set_Click();
    ASSERT_EQ(d.writer.stores.size(), 1u);
    ASSERT_EQ(d.writer.stores[0].size(), 3u);
    EXPECT_EQ(d.writer.stores[0][0].second, " 0");
    EXPECT_EQ(d.writer.stores[0][1].second, " 9");
}

TEST(SettingsDialogOptions, APressPicksTheOptionUnderItsMarkOrLabel)
{
    struct Row {
        std::int32_t x, y;  // in the dialog's client area; the panel starts at 12, 16
        int picked;         // -1: the kind stays
    };
    const Row rows[] = {
        {40, 92, 0},  {52, 104, 0},  {53, 92, -1},   {77, 92, 0},  {78, 92, -1}, {56, 84, 1},
        {56, 85, -1}, {115, 124, 2}, {116, 124, -1}, {28, 76, -1}, {40, 91, -1},
    };
    for (const Row& row : rows) {
        for (MouseButton button : {MouseButton::Left, MouseButton::Right}) {
            LoadedDialog d(-1);
            d.form.Form_MouseDown(button, row.x, row.y);
            EXPECT_EQ(d.settings.BGM_Kind, row.picked) << row.x << ", " << row.y;
        }
    }
}

TEST(SettingsDialogCancel, CancelAndEscapeWriteNothingAfterChanges)
{
    for (void (Zorun_P::*cancel)() : {&Zorun_P::Cmd_Can_Click, &Zorun_P::Form_KeyEscape}) {
        LoadedDialog d(0);
        d.form.Option_MouseDown(2);
        d.shell.chosen = "D:\\Songs\\b.wav";
        d.form.Cmd_File_Click();
        (d.form.*cancel)();
        EXPECT_TRUE(d.writer.stores.empty());
        EXPECT_TRUE(d.view.closed);
    }
}

TEST(SettingsDialogFile, ChosenFileIsShownKeptAndItsFolderRemembered)
{
    LoadedDialog d(2);
    d.shell.chosen = "D:\\Songs\\b.wav";
    d.form.Cmd_File_Click();
    ASSERT_EQ(d.shell.requests.size(), 1u);
    const OpenFileRequest& r = d.shell.requests[0];
    EXPECT_EQ(r.initialFolder, "C:\\Music");
    EXPECT_EQ(r.filterPattern, "*.MP3;*.WAV");
    EXPECT_EQ(std::pair(r.fileBufferLength, r.titleBufferLength), std::pair(255u, 255u)) << "file, title buffers";
    EXPECT_EQ(d.settings.BGM_File, "D:\\Songs\\b.wav");
    EXPECT_EQ(d.view.fileLabel, "D:\\Songs\\b.wav");
    EXPECT_EQ(d.settings.BGM_Folder, "D:\\Songs");

    d.shell.chosen.reset();  // a cancel changes nothing
    d.form.Cmd_File_Click();
    EXPECT_EQ(d.settings.BGM_File, "D:\\Songs\\b.wav");
    EXPECT_EQ(d.settings.BGM_Folder, "D:\\Songs");
}

TEST(SettingsDialogFile, PathsTheSettingsFileCannotHoldAreRefusedAsACancel)
{
    struct Row {
        std::string path;
        bool taken;
    };
    const std::string folder = "D:\\" + std::string(240, 'a') + "\\";
    const Row rows[] = {
        {folder + std::string(254 - folder.size(), 'b'), true},  // with its NUL, the buffer's 255 bytes
        {folder + std::string(255 - folder.size(), 'b'), false},
        {"D:\\Songs\\b\n.wav", false},
        {"D:\\Songs\\b\r.wav", false},
    };
    for (const Row& row : rows) {
        LoadedDialog d(2);
        d.shell.chosen = row.path;
        d.form.Cmd_File_Click();
        const std::string file = row.taken ? row.path : "C:\\Music\\a.mp3";
        EXPECT_EQ(std::tuple(d.settings.BGM_File, d.view.fileLabel, d.settings.BGM_Folder),
                  std::tuple(file, file, FolderOf(file, kWindowsJapanesePaths)))
            << row.path.size() << " bytes";
    }
}

TEST(SettingsDialogLink, OpensTheAddressUnderABusyPointer)
{
    Dialog d;
    d.form.lbl_URL_Click();
    EXPECT_EQ(d.shell.opened, std::vector<std::string>{"https://zorun.example/"});
    EXPECT_EQ(d.view.pointer, (std::vector<bool>{true, false}));
}

TEST(SettingsDialogLink, ALeftPressAndReleaseOnTheLinkClickIt)
{
    struct Step {
        bool down;
        MouseButton button;
        std::int32_t x, y;
    };
    constexpr auto L = MouseButton::Left, R = MouseButton::Right;
    struct Row {
        const char* gesture;
        std::vector<Step> steps;
        std::size_t clicks;
    };
    const Row rows[] = {
        {"click", {{true, L, 12, 208}, {false, L, 218, 220}}, 1},
        {"released off it", {{true, L, 12, 208}, {false, L, 219, 220}}, 0},
        {"pressed off it", {{true, L, 11, 208}, {false, L, 20, 210}}, 0},
        {"right click", {{true, R, 20, 210}, {false, R, 20, 210}}, 0},
        {"a right press between",
         {{true, L, 20, 210}, {true, R, 20, 210}, {false, R, 20, 210}, {false, L, 20, 210}},
         0},
        {"a right release between", {{true, L, 20, 210}, {false, R, 20, 210}, {false, L, 20, 210}}, 1},
        {"a right release on it", {{true, L, 20, 210}, {false, R, 20, 210}, {false, L, 20, 230}}, 0},
        {"a second release", {{true, L, 20, 210}, {false, L, 20, 210}, {false, L, 20, 210}}, 1},
    };
    for (const Row& row : rows) {
        LoadedDialog d;
        for (const Step& step : row.steps)
            step.down ? d.form.Form_MouseDown(step.button, step.x, step.y)
                      : d.form.Form_MouseUp(step.button, step.x, step.y);
        EXPECT_EQ(d.shell.opened.size(), row.clicks) << row.gesture;
    }
    EXPECT_FALSE(Zorun_P::OverLink(218, 221));
}

TEST(SettingsDialogPainting, RowsOfTheDialogAndThePanel)
{
    Dialog d;
    d.form.Form_Resize();
    const auto& dialogRows = d.view.rows[Surface::Dialog];
    const auto& panelRows = d.view.rows[Surface::Panel];
    ASSERT_EQ(dialogRows.size(), 244u);  // 0 to the height inclusive
    ASSERT_EQ(panelRows.size(), 166u);
    // Row, its shade by |sin(y * 3.142 / H)| x 220 worked out by hand, for both heights.
    EXPECT_EQ(dialogRows[0], 0x1E0000u);
    EXPECT_EQ(dialogRows[121], dialog::dialogRowColour(220));  // sin(1.5645) = 0.99999
    EXPECT_EQ(dialogRows[243], dialog::dialogRowColour(0));    // sin(3.142) = -0.0004
    // 53.506 with 3.142 but 53.499 with pi: the constant decides these two rows.
    EXPECT_EQ(dialogRows[19], dialog::dialogRowColour(54));
    EXPECT_EQ(panelRows[44], dialog::panelRowColour(164));
    EXPECT_EQ(panelRows[0], 0x1E1E1Eu);
    EXPECT_EQ(panelRows[82], 0xFAFAFAu);
    EXPECT_EQ(panelRows[165], 0x1E1E1Eu);
}

}  // namespace
}  // namespace zorun::host
