#pragma once
// A main window whose message boxes are recorded, for the views' context-menu
// commands, the find dialog and the NG dialog.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QString>
#include <QTabWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/app/main_window.h"
#include "shell/app/page_control.h"
#include "shell/app/session.h"
#include "shell/platform/user_messages.h"
#include "shell/views/channel_view.h"
#include "support/cp932_text.h"

namespace ruv::testing {

class ViewCommandMessages final : public UserMessages {
  public:
    struct Shown {
        MessageKind kind;
        QString text;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    void show(MessageKind kind, const QString& text) override {
        shown.push_back({kind, text});
        if (onShow) {
            onShow();
        }
    }
    Answer ask(const QString& /*title*/, const QString& /*text*/) override {
        ADD_FAILURE() << "no command of the views asks a question";
        return Answer::No;
    }

    std::vector<Shown> shown;
    std::function<void()> onShow;
};

class ViewCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(AppEnvironment{{}, nullptr, &messages});
    }

    ChannelView* view(ChatChannel channel) const { return window->view(channel); }
    // The session's lines of a channel, which its view shows.
    ViewLines& lines(ChatChannel channel) const {
        return window->session().core.book.lines(channel);
    }
    // Makes the tab at index the active page, shown or not.
    void activate(Tab tab) const {
        window->setTabShown(tab, TabVisibility::Shown);
        window->pageControl()->setCurrentTab(tab);
    }
    QString shownText(std::size_t index) const {
        return index < messages.shown.size() ? messages.shown[index].text : QString();
    }

    ViewCommandMessages messages;  // outlives the window
    std::unique_ptr<MainWindow> window;
};

}  // namespace ruv::testing
