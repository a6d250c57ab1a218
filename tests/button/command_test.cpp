// The Command button's logic through a window that draws for real: states, Click, first run, properties.
#include "fake_command_view.h"

#include <gtest/gtest.h>

#include <optional>

namespace zorun::host {
namespace {

struct Button {
    FakeCommandView view;
    Command control{view, view, view, view};

    Button()
    {
        control.OnResize();
        control.Enabled();  // the container's first query switches a new control on
        control.Initialize();
    }
    // Brings the control to a state by the events a person would cause.
    void reach(int state, bool mouseDown = false)
    {
        if (state == 3 || state == 4)
            control.OnGotFocus();
        if (state == 2 || state == 4)
            control.OnMouseMove(0);
        if (mouseDown)
            control.OnMouseDown(kLeftButton);
        view.faces.clear();
    }
    void tick(ToolkitWindow under)
    {
        view.underPointer = under;
        control.OnHoverTick();
    }
};

// The hover tick with the pointer over the container, over another program's window, over the button, and
// with no container to compare with.
enum class Event { Move, TickOff, TickAway, TickOver, TickNoContainer, GotFocus, LostFocus, Down, Up };

// What each event does to the button, in the order of Event.
using Action = void (*)(Button&, int button);
const Action act[] = {
    [](Button& b, int button) { b.control.OnMouseMove(button); },
    [](Button& b, int) { b.tick(kContainerWindow); },
    [](Button& b, int) { b.tick(kOtherWindow); },
    [](Button& b, int) { b.tick(kOwnWindow); },
    [](Button& b, int) {
        b.view.container = 0;
        b.tick(kOtherWindow);
    },
    [](Button& b, int) { b.control.OnGotFocus(); },
    [](Button& b, int) { b.control.OnLostFocus(); },
    [](Button& b, int button) { b.control.OnMouseDown(button); },
    [](Button& b, int button) { b.control.OnMouseUp(button); },
};

TEST(CommandStates, EachEventInEachStateAsTheTableSays)
{
    struct Row {
        int state;
        bool mouseDown;
        Event event;
        int button;
        int after;
        std::optional<FramePicture> face;
        bool click;
    };
    using P = FramePicture;
    const Row rows[] = {
        {1, false, Event::Move, 0, 2, P::HighLight, false},
        {3, false, Event::Move, 0, 4, P::HighLightSelect, false},
        {3, true, Event::Move, kLeftButton, 3, {}, false},
        {2, false, Event::Move, 0, 2, {}, false},
        {4, false, Event::Move, 0, 4, {}, false},
        {2, false, Event::TickOff, 0, 1, P::Normal, false},
        {4, false, Event::TickOff, 0, 3, P::Selected, false},
        {1, false, Event::TickOff, 0, 1, {}, false},
        // A press dragged off: the tick ends the hover, so the release after it clicks nothing.
        {4, true, Event::TickOff, 0, 3, P::Selected, false},
        {3, false, Event::TickOff, 0, 3, {}, false},
        {2, false, Event::TickAway, 0, 1, P::Normal, false},
        {2, false, Event::TickNoContainer, 0, 2, {}, false},
        {2, false, Event::TickOver, 0, 2, {}, false},
        {4, false, Event::TickOver, 0, 4, {}, false},
        {2, false, Event::GotFocus, 0, 4, P::Pressed, false},
        {1, false, Event::GotFocus, 0, 3, P::Selected, false},
        {4, false, Event::GotFocus, 0, 3, P::Selected, false},
        {3, false, Event::LostFocus, 0, 1, P::Normal, false},
        {4, false, Event::LostFocus, 0, 1, P::Normal, false},
        {1, false, Event::LostFocus, 0, 1, {}, false},
        {1, false, Event::Down, kLeftButton, 1, P::Pressed, false},
        {2, false, Event::Down, kRightButton, 2, {}, false},
        {2, true, Event::Up, kLeftButton, 2, P::Normal, true},
        {4, true, Event::Up, kLeftButton, 4, P::HighLightSelect, true},
        {1, true, Event::Up, kLeftButton, 1, {}, true},
        {3, true, Event::Up, kLeftButton, 3, {}, false},
        {2, false, Event::Up, kRightButton, 2, {}, true},
        {4, false, Event::Up, kMiddleButton, 4, {}, true},
        {3, false, Event::Up, kRightButton, 3, {}, false},
        // Pressed on the button and dragged off: the tick has ended the hover before the release.
        {1, false, Event::Up, kRightButton, 1, {}, false},
        // Back and forward (GTK's buttons 8 and 9) are no buttons of the control.
        {2, false, Event::Up, 0, 2, {}, false},
        {4, false, Event::Up, 8, 4, {}, false},
    };
    for (const Row& row : rows) {
        Button b;
        b.reach(row.state, row.mouseDown);
        act[static_cast<int>(row.event)](b, row.button);
        SCOPED_TRACE(testing::Message() << "state " << row.state << " event " << static_cast<int>(row.event));
        EXPECT_EQ(b.control.ButtonState(), row.after);
        EXPECT_EQ(b.view.faces, row.face ? std::vector<FramePicture>{*row.face} : std::vector<FramePicture>{});
        EXPECT_EQ(b.view.clicks, row.click ? 1 : 0);
        const bool downAfter = row.event == Event::Down                              ? row.button == kLeftButton
                               : row.event == Event::Up && row.button == kLeftButton ? false
                                                                                     : row.mouseDown;
        EXPECT_EQ(b.control.MouseIsDown(), downAfter);
    }
}

TEST(CommandKeys, SpaceClicksOnlyAFocusedButtonAsAPressAndARelease)
{
    enum Step { SpaceDown, SpaceUp, EnterDown, EnterUp, FocusLost };
    struct Row {
        int state;
        std::vector<Step> steps;
        std::vector<FramePicture> faces;
        int clicks;
    };
    using P = FramePicture;
    const Row rows[] = {
        {3, {SpaceDown, SpaceDown, SpaceUp}, {P::Pressed, P::Selected}, 1},
        {4, {SpaceDown, SpaceUp}, {P::Pressed, P::HighLightSelect}, 1},
        {1, {SpaceDown, SpaceUp}, {}, 0},
        {2, {SpaceDown, SpaceUp}, {}, 0},
        {3, {SpaceUp}, {}, 0},
        {3, {EnterDown, EnterUp}, {}, 0},
        {3, {SpaceDown, FocusLost, SpaceUp}, {P::Pressed, P::Normal}, 0},
    };
    constexpr int kEnter = 0x0D;
    for (const Row& row : rows) {
        Button b;
        b.reach(row.state);
        for (const Step step : row.steps) {
            if (step == SpaceDown || step == EnterDown)
                b.control.OnKeyDown(step == SpaceDown ? kSpaceKey : kEnter);
            else if (step == SpaceUp || step == EnterUp)
                b.control.OnKeyUp(step == SpaceUp ? kSpaceKey : kEnter);
            else
                b.control.OnLostFocus();
        }
        SCOPED_TRACE(testing::Message() << "state " << row.state << ", " << row.steps.size() << " steps");
        EXPECT_EQ(b.view.faces, row.faces);
        EXPECT_EQ(b.view.clicks, row.clicks);
    }
}

TEST(CommandStates, ADisabledButtonIgnoresEverything)
{
    Button b;
    b.control.SetEnabled(false);
    b.view.faces.clear();
    b.control.OnMouseMove(0);
    b.control.OnGotFocus();
    b.control.OnMouseDown(kLeftButton);
    b.control.OnMouseUp(kLeftButton);
    b.control.OnMouseUp(kRightButton);
    b.control.OnKeyDown(kSpaceKey);
    b.control.OnKeyUp(kSpaceKey);
    b.tick(kContainerWindow);
    b.control.OnLostFocus();
    b.control.FontColour();  // property redraws of the normal face are ignored too
    EXPECT_EQ(b.control.ButtonState(), 1);
    EXPECT_FALSE(b.control.MouseIsDown());
    EXPECT_TRUE(b.view.faces.empty());
    EXPECT_EQ(b.view.clicks, 0);
    EXPECT_FALSE(b.view.tabStop);  // Tab passes it by
}

TEST(CommandFace, StateFourKeepsTheGradientOfTheFaceBeforeIt)
{
    // Hovered, then focused: lavender grey at the top. Focused, then hovered: white at the top.
    Button hoveredFirst;
    hoveredFirst.reach(2);
    hoveredFirst.control.OnGotFocus();
    EXPECT_TRUE(hoveredFirst.control.GradientInverted());
    auto green = [](const Button& b, int y) { return (b.view.image.At(10, y) >> 8) & 0xFF; };
    EXPECT_LT(green(hoveredFirst, 4), green(hoveredFirst, 23));

    Button focusedFirst;
    focusedFirst.reach(4);
    EXPECT_FALSE(focusedFirst.control.GradientInverted());
    EXPECT_GT(green(focusedFirst, 4), green(focusedFirst, 23));
}

TEST(CommandLifecycle, ANewControlIsDisabledUntilItsFirstQuery)
{
    FakeCommandView view;
    Command control{view, view, view, view};
    control.OnResize();
    EXPECT_EQ(view.faces, std::vector<FramePicture>{FramePicture::Disable});
    EXPECT_FALSE(view.labelEnabled);
    EXPECT_EQ(control.ButtonState(), 0);
    control.OnMouseMove(0);  // nothing happens before the control is switched on
    EXPECT_EQ(control.ButtonState(), 0);
    EXPECT_FALSE(view.timerOn);
    EXPECT_FALSE(view.tabStop);

    view.faces.clear();
    EXPECT_TRUE(control.Enabled());
    EXPECT_EQ(control.FirstRun(), 1);
    EXPECT_EQ(view.faces, std::vector<FramePicture>{FramePicture::Normal});
    EXPECT_TRUE(view.labelEnabled);
    EXPECT_TRUE(view.tabStop);

    control.Initialize();
    EXPECT_EQ(control.ButtonState(), 1);
    EXPECT_TRUE(view.timerOn);
    EXPECT_EQ(view.timerInterval, 100u);
}

TEST(CommandLifecycle, WhileFirstRunIsZeroTheNormalLookResetsTheCaptionColour)
{
    FakeCommandView view;
    Command control{view, view, view, view};
    control.SetEnabled(true);  // on, but never queried
    control.SetFontColour(0x0000FF);
    EXPECT_EQ(view.colour, 0u);
    EXPECT_EQ(control.FontColour(), 0u);

    control.Enabled();
    control.SetFontColour(0x0000FF);
    EXPECT_EQ(control.FontColour(), 0x0000FFu);
    EXPECT_EQ(view.changed, (std::vector<std::string>{"Enabled", "FontColour", "FontColour"}));
}

TEST(CommandProperties, RoundTripsThroughThePersistedSet)
{
    const CaptionFont ambient{"IPAPGothic", 9.0, 400, false, false, false, 128};
    Button saved;
    saved.control.SetCaption("Command");
    saved.control.SetFont(ambient);
    saved.control.SetVisible(7);
    EXPECT_EQ(saved.control.Visible(), 255);
    PropertyBag bag;
    saved.control.WriteProperties(bag, ambient);
    EXPECT_EQ(bag.Size(), 0u);  // every value at its default is left out

    Button loaded;
    loaded.control.ReadProperties(bag, ambient);
    EXPECT_EQ(loaded.control.Caption(), "Command1");  // the two sides' defaults differ
    EXPECT_EQ(loaded.control.Font(), ambient);
    EXPECT_EQ(loaded.control.FirstRun(), 1);
    EXPECT_TRUE(loaded.control.ButtonEnabled());
    EXPECT_EQ(loaded.control.Visible(), 255);

    Button other;
    other.control.SetCaption("設定");
    other.control.SetFontColour(0x00FF00);
    other.control.SetVisible(0);
    other.control.SetEnabled(false);
    PropertyBag otherBag;
    other.control.WriteProperties(otherBag, ambient);
    EXPECT_TRUE(otherBag.Contains("CAPTION"));  // keys match without regard to case
    EXPECT_TRUE(otherBag.Contains("font"));
    EXPECT_FALSE(otherBag.Contains("FirstRun"));

    Button reloaded;
    reloaded.control.ReadProperties(otherBag, ambient);
    EXPECT_EQ(reloaded.control.Caption(), "設定");
    EXPECT_EQ(reloaded.control.Visible(), 0);
    EXPECT_FALSE(reloaded.view.opaque);
    EXPECT_FALSE(reloaded.control.ButtonEnabled());
    EXPECT_FALSE(reloaded.view.tabStop);
    EXPECT_EQ(reloaded.view.colour, 0x00FF00u);
}

TEST(CommandProperties, ABrokenStoredValueLeavesThatPropertyAsItWas)
{
    PropertyBag bag;
    bag.Write("visible", std::string("2"), std::string("1"));
    bag.Write("FirstRun", std::string("300"), std::string("1"));
    Button b;
    b.control.ReadProperties(bag, CaptionFont{});
    EXPECT_EQ(b.control.Visible(), 255);
    EXPECT_EQ(b.control.FirstRun(), 1);
}

}  // namespace
}  // namespace zorun::host
