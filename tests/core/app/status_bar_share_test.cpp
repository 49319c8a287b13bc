// The status bar shared by attaching and the EXP clock.

#include "core/app/status_bar_share.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace ruv::testing {
namespace {

struct RecordedPanels final : StatusBarOut {
    void show(StatusPanel panel, std::string_view cp932) override { shown[panel] = cp932; }
    std::map<StatusPanel, std::string> shown;
};

TEST(StatusBarShare, TidyPercentageHoldsPanelZeroAndTheClockComesBackWhenItEnds) {
    RecordedPanels panels;
    StatusBarShare share(panels);
    share.showPanels("0:0:5", "CT:1");
    share.showAttachStatus(StatusPanel::State, "attach");
    share.showTidyProgress("tidy 10%");
    share.showPanels("0:0:6", "CT:2");  // an EXP tick while the tidy runs
    EXPECT_EQ(panels.shown[StatusPanel::State], "tidy 10%");
    EXPECT_EQ(panels.shown[StatusPanel::Path], "CT:2");
    share.showAttachStatus(StatusPanel::State, "attach");
    EXPECT_EQ(panels.shown[StatusPanel::State], "tidy 10%");

    share.endTidy("attach");
    EXPECT_EQ(panels.shown[StatusPanel::State], "0:0:6");

    // With no clock during the tidy, its end shows the attach state.
    share.showTidyProgress("tidy 50%");
    share.endTidy("attach");
    EXPECT_EQ(panels.shown[StatusPanel::State], "attach");
}

}  // namespace
}  // namespace ruv::testing
