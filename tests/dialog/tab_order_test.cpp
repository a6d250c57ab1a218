// Tab order through the dialog's controls: combo box, "設定", "ｷｬﾝｾﾙ", "...", those that can take the focus.
#include "host/dialog/tab_order.h"

#include <gtest/gtest.h>

#include <array>

namespace zorun::host {
namespace {

TEST(TabOrder, SkipsWhatTakesNoFocusAndWrapsAround)
{
    using Controls = std::array<bool, 4>;
    struct Row {
        Controls takesFocus;
        int current;
        bool backwards;
        int next;
    };
    const Controls noMusic{false, true, true, false};  // combo box and "..." disabled
    const Controls all{true, true, true, true};
    const Row rows[] = {
        {noMusic, -1, false, 1},     {noMusic, -1, true, 2},     {noMusic, 1, false, 2},
        {noMusic, 2, false, 1},      {noMusic, 1, true, 2},      {noMusic, 0, false, 1},
        {all, 3, false, 0},          {all, 0, true, 3},          {{false, false, true, false}, 2, false, 2},
        {Controls{}, -1, false, -1}, {Controls{}, -1, true, -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(nextTabStop(row.takesFocus, row.current, row.backwards), row.next)
            << "from " << row.current << (row.backwards ? " backwards" : " forwards");
}

}  // namespace
}  // namespace zorun::host
