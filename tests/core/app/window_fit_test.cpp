// Where a window opens when its saved place no longer suits the screens.

#include "core/app/window_fit.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace ruv::testing {
namespace {

TEST(WindowFit, KeepsAFittingPlaceAndBringsAnyOtherWhollyOntoOneScreen) {
    const ScreenRect primary{0, 0, 1280, 770};        // a task bar below
    const ScreenRect second{1280, -200, 1024, 1000};  // taller, raised, to the right
    constexpr int kTitleBar = 24;
    struct Case {
        const char* what;
        std::vector<ScreenRect> screens;
        ScreenRect saved;
        ScreenRect expected;
    };
    const std::vector<Case> cases = {
        {"fits: kept exactly", {primary}, {100, 50, 502, 250}, {100, 50, 502, 250}},
        {"only the title bar on screen: kept", {primary}, {10, 740, 500, 400}, {10, 740, 500, 400}},
        {"on the second screen: kept",
         {primary, second},
         {1500, -150, 600, 400},
         {1500, -150, 600, 400}},
        {"monitor unplugged: brought back", {primary}, {-3000, 5000, 502, 250}, {0, 520, 502, 250}},
        {"title bar above the top", {primary}, {300, -10, 502, 250}, {300, 0, 502, 250}},
        {"title bar across two screens: onto the one holding most",
         {primary, second},
         {1000, 100, 502, 250},
         {778, 100, 502, 250}},
        {"larger than the screen: shrunk to it",
         {primary},
         {50, 20, 2204, 1450},
         {0, 0, 1280, 770}},
        {"larger than the second screen, on it",
         {primary, second},
         {1300, -100, 1200, 1200},
         {1280, -200, 1024, 1000}},
        {"far off to the right: the nearest screen",
         {primary, second},
         {9000, 0, 502, 250},
         {1802, 0, 502, 250}},
        {"no screen: kept", {}, {-3000, 5000, 502, 250}, {-3000, 5000, 502, 250}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitOnScreens(c.saved, c.screens, kTitleBar), c.expected) << c.what;
    }
}

TEST(WindowFit, APlaceAtTheEndsOfIntIsBroughtOntoTheScreen) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const ScreenRect primary{0, 0, 1280, 770};
    const ScreenRect second{1280, -200, 1024, 1000};
    struct Case {
        const char* what;
        std::vector<ScreenRect> screens;
        ScreenRect saved;
        ScreenRect expected;
    };
    const std::vector<Case> cases = {
        {"left near the largest int", {primary}, {2147483000, 100, 800, 600}, {480, 100, 800, 600}},
        {"top near the largest int", {primary}, {100, 2147483000, 502, 250}, {100, 520, 502, 250}},
        {"both the largest int", {primary}, {kMax, kMax, 502, 250}, {778, 520, 502, 250}},
        {"the smallest place, the largest size",
         {primary},
         {kMin, kMin, kMax, kMax},
         {0, 0, 1280, 770}},
        {"the smallest left", {primary}, {kMin, 100, 502, 250}, {0, 100, 502, 250}},
        {"the largest left: the nearest of two screens",
         {primary, second},
         {kMax, 0, 502, 250},
         {1802, 0, 502, 250}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitOnScreens(c.saved, c.screens, 24), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace ruv::testing
