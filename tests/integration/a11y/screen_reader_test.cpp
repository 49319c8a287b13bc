// The program as a screen reader sees it, through AT-SPI on a virtual X
// display: a writer process appends to today's log, the 通常 view's last line is
// read, and a find moves the caret to a line that is read with its selection.
// Run through CTest, which starts the session bus and the display.

#include <gtest/gtest.h>

#include <atspi/atspi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "core/log/route_trace.h"
#include "core/text/cp932.h"
#include "core/text/sjis.h"
#include "support/child_process.h"
#include "support/process_helpers.h"

namespace {

using namespace ruv::testing;
using namespace std::chrono_literals;

constexpr std::uint64_t kSeed = 3;
constexpr std::size_t kBytes = 6000;
constexpr auto kPatience = 30s;

template <typename T>
struct Unref {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using Ref = std::unique_ptr<T, Unref<T>>;
using Accessible = Ref<AtspiAccessible>;

std::string takeString(gchar* text) {
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

std::string nameOf(AtspiAccessible* accessible) {
    return takeString(atspi_accessible_get_name(accessible, nullptr));
}

// The first accessible under root, depth first, that matches.
template <typename Match>
Accessible findIf(AtspiAccessible* root, const Match& match) {
    if (match(root)) {
        return Accessible(static_cast<AtspiAccessible*>(g_object_ref(root)));
    }
    // Drop-down lists and scroll bars hold nothing the test looks for.
    const AtspiRole role = atspi_accessible_get_role(root, nullptr);
    if (role == ATSPI_ROLE_COMBO_BOX || role == ATSPI_ROLE_SCROLL_BAR) {
        return nullptr;
    }
    const gint children = atspi_accessible_get_child_count(root, nullptr);
    for (gint i = 0; i < children; ++i) {
        const Accessible child(atspi_accessible_get_child_at_index(root, i, nullptr));
        if (child) {
            if (Accessible found = findIf(child.get(), match)) {
                return found;
            }
        }
    }
    return nullptr;
}

Accessible find(AtspiAccessible* root, AtspiRole role, const std::string& name) {
    return findIf(root, [&](AtspiAccessible* accessible) {
        return atspi_accessible_get_role(accessible, nullptr) == role && nameOf(accessible) == name;
    });
}

// Lets AT-SPI deliver what arrived while waiting for check() to hold.
template <typename Check>
bool waitUntil(Check&& check) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!check()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The tree under root as roles and names, one accessible a line: what the
// test saw when something it looks for is missing.
std::string describe(AtspiAccessible* root, int depth = 0) {
    std::string out(static_cast<std::size_t>(depth) * 2, ' ');
    out +=
        takeString(atspi_accessible_get_role_name(root, nullptr)) + " \"" + nameOf(root) + "\"\n";
    const gint children = atspi_accessible_get_child_count(root, nullptr);
    const AtspiRole role = atspi_accessible_get_role(root, nullptr);
    for (gint i = 0; role != ATSPI_ROLE_COMBO_BOX && i < children; ++i) {
        const Accessible child(atspi_accessible_get_child_at_index(root, i, nullptr));
        if (child) {
            out += describe(child.get(), depth + 1);
        }
    }
    return out;
}

Accessible waitFor(AtspiAccessible* root, AtspiRole role, const std::string& name) {
    Accessible found;
    if (!waitUntil([&] { return (found = find(root, role, name)) != nullptr; })) {
        ADD_FAILURE() << "no " << atspi_role_get_name(role) << " \"" << name << "\" in\n"
                      << describe(root);
    }
    return found;
}

bool press(AtspiAccessible* accessible, const std::string& actionName) {
    const Ref<AtspiAction> action(atspi_accessible_get_action_iface(accessible));
    const gint count = action ? atspi_action_get_n_actions(action.get(), nullptr) : 0;
    for (gint i = 0; i < count; ++i) {
        if (takeString(atspi_action_get_action_name(action.get(), i, nullptr)) == actionName) {
            return atspi_action_do_action(action.get(), i, nullptr);
        }
    }
    return false;
}

// The line at offset, as a screen reader asks for it.
std::string lineAt(AtspiText* text, gint offset) {
    AtspiTextRange* range =
        atspi_text_get_text_at_offset(text, offset, ATSPI_TEXT_BOUNDARY_LINE_START, nullptr);
    if (range == nullptr) {
        return {};
    }
    std::string line = range->content ? range->content : "";
    g_boxed_free(ATSPI_TYPE_TEXT_RANGE, range);
    return line;
}

std::string utf8(std::string_view cp932) {
    return ruv::cp932::toUtf8(cp932);
}

// What routing puts in the 通常 view for the writer's lines (CP932).
std::vector<std::string> normalViewLines() {
    std::ostringstream out;
    ruv::TracedRouting routing(out, ruv::ListingText::Cp932);
    for (const std::string& raw : expectedLines(kSeed, kBytes)) {
        routing.router().RouteLine(raw);
    }
    std::vector<std::string> lines;
    std::istringstream trace(out.str());
    for (std::string line; std::getline(trace, line);) {
        if (line.starts_with("Normal\t")) {
            lines.push_back(line.substr(line.find('\t', 7) + 1));
        }
    }
    return lines;
}

std::string todaysLogName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char name[64];
    std::snprintf(name, sizeof name, "MHChatLog_%04d_%02d_%02d.html", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday);
    return name;
}

// The events a screen reader listens to, as they arrive.
struct Heard {
    std::string type;
    AtspiRole role;
    std::string name;
    gint detail1;
};
std::vector<Heard> heard;

void hear(const AtspiEvent* event) {
    heard.push_back({event->type, atspi_accessible_get_role(event->source, nullptr),
                     nameOf(event->source), event->detail1});
    g_boxed_free(ATSPI_TYPE_EVENT, const_cast<AtspiEvent*>(event));
}

bool wasHeard(std::string_view type, AtspiRole role, gint detail1) {
    return std::any_of(heard.begin(), heard.end(), [&](const Heard& event) {
        return event.type == type && event.role == role && event.detail1 == detail1;
    });
}

bool wasHeard(std::string_view type, std::string_view name, gint detail1) {
    return std::any_of(heard.begin(), heard.end(), [&](const Heard& event) {
        return event.type == type && event.name == name && event.detail1 == detail1;
    });
}

TEST(ScreenReader, ReadsTheLastLineOfTheNormalViewAndTheLineFindSelects) {
    if (std::getenv("DISPLAY") == nullptr || std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        GTEST_SKIP() << "needs a display and a session bus: run it through CTest";
    }
    if (atspi_init() > 1) {
        GTEST_SKIP() << "AT-SPI cannot start";
    }
    const Accessible desktop(atspi_get_desktop(0));
    GError* error = nullptr;
    atspi_accessible_get_child_count(desktop.get(), &error);
    if (error != nullptr) {
        const std::string message = error->message;
        g_error_free(error);
        GTEST_SKIP() << "no AT-SPI registry: " << message;
    }
    AtspiEventListener* listener = atspi_event_listener_new_simple(&hear, nullptr);
    for (const char* type : {"object:text-caret-moved", "object:state-changed:showing"}) {
        ASSERT_TRUE(atspi_event_listener_register(listener, type, nullptr));
    }

    // The program in a folder of its own, set up for today's log in another.
    TempDir dir;
    const fs::path app = dir.path() / "app";
    const fs::path logs = dir.path() / "logs";
    fs::create_directories(app);
    fs::create_directories(logs);
    fs::copy_file(RUVIVUVAZ_PROGRAM, app / "mh_ruvivuvaz");
    append(app / "config.ini", "MHFolderPath=" + logs.string() + "/\r\n");
    const fs::path log = logs / todaysLogName();
    append(log, "");
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    ChildProcess program({(app / "mh_ruvivuvaz").string()});

    const Accessible application = waitFor(desktop.get(), ATSPI_ROLE_APPLICATION, "DIrararezuvero");
    ASSERT_TRUE(application) << "the program never showed up on the accessibility bus";
    // ファイル > Today's Log, captioned with the log's name and its access key
    // once the log exists.
    const Accessible today =
        waitFor(application.get(), ATSPI_ROLE_MENU_ITEM, log.filename().string() + "(T)");
    ASSERT_TRUE(today);
    ASSERT_TRUE(press(today.get(), "Press"));
    const Accessible normal = waitFor(application.get(), ATSPI_ROLE_TEXT, "通常");
    ASSERT_TRUE(normal);
    const Ref<AtspiText> text(atspi_accessible_get_text_iface(normal.get()));
    ASSERT_TRUE(text);

    // The writer appends; the screen reader reads the view's last line.
    ChildProcess writer({LOG_WRITER_PROCESS, log.string(), "--bytes", std::to_string(kBytes),
                         "--seed", std::to_string(kSeed)});
    ASSERT_TRUE(exitedWith(writer.waitFor(kPatience), 0));
    const std::vector<std::string> lines = normalViewLines();
    ASSERT_GE(lines.size(), 3u);
    const std::string lastLine = utf8(lines.back());
    std::string last;
    EXPECT_TRUE(waitUntil([&] {
        last = lineAt(text.get(), atspi_text_get_character_count(text.get(), nullptr));
        return last == lastLine;
    })) << "last line read: "
        << last << "\nexpected: " << lastLine;

    // Find an early line's words through the find dialog, as a user would.
    const std::string needle =
        lines[1].substr(ruv::sjis::nextBoundary(lines[1], 0, lines[1].size() / 2));
    std::size_t found = 0;
    while (ruv::sjis::find(lines[found], needle) == ruv::sjis::npos) {
        ++found;
    }
    // Right-click the view and choose 検索(&F) by its key: menus that pop up
    // are not in the accessible tree until an item takes the focus.
    const Ref<AtspiComponent> area(atspi_accessible_get_component_iface(normal.get()));
    AtspiRect* rect = atspi_component_get_extents(area.get(), ATSPI_COORD_TYPE_SCREEN, nullptr);
    ASSERT_NE(rect, nullptr);
    const glong x = rect->x + rect->width / 2;
    const glong y = rect->y + rect->height / 2;
    g_free(rect);
    heard.clear();
    ASSERT_TRUE(atspi_generate_mouse_event(x, y, "b3c", nullptr));
    ASSERT_TRUE(waitUntil([] {
        return wasHeard("object:state-changed:showing", ATSPI_ROLE_POPUP_MENU, 1);
    })) << "no context menu";
    ASSERT_TRUE(atspi_generate_keyboard_event('f', nullptr, ATSPI_KEY_SYM, nullptr));
    const Accessible dialog = waitFor(application.get(), ATSPI_ROLE_DIALOG, "検索");
    ASSERT_TRUE(dialog);
    const Accessible entry = findIf(dialog.get(), [](AtspiAccessible* accessible) {
        return atspi_accessible_get_role(accessible, nullptr) == ATSPI_ROLE_TEXT;
    });
    ASSERT_TRUE(entry);
    const Ref<AtspiEditableText> typing(atspi_accessible_get_editable_text_iface(entry.get()));
    ASSERT_TRUE(typing);
    ASSERT_TRUE(atspi_editable_text_set_text_contents(typing.get(), utf8(needle).c_str(), nullptr));
    const Accessible findNext = find(dialog.get(), ATSPI_ROLE_PUSH_BUTTON, "次を検索(F)");
    ASSERT_TRUE(findNext);
    heard.clear();
    ASSERT_TRUE(press(findNext.get(), "Press"));

    // The selection is the words found, and the caret's line is their line.
    std::string selected;
    EXPECT_TRUE(waitUntil([&] {
        AtspiRange* range = atspi_text_get_selection(text.get(), 0, nullptr);
        if (range != nullptr) {
            selected = takeString(
                atspi_text_get_text(text.get(), range->start_offset, range->end_offset, nullptr));
            g_free(range);
        }
        return selected == utf8(needle);
    })) << "selection read: "
        << selected;
    const gint caret = atspi_text_get_caret_offset(text.get(), nullptr);
    EXPECT_EQ(lineAt(text.get(), caret), utf8(lines[found]) + "\n");
    EXPECT_TRUE(waitUntil([&] { return wasHeard("object:text-caret-moved", "通常", caret); }))
        << "no caret-moved event for the found words";
    g_object_unref(listener);
}

}  // namespace
