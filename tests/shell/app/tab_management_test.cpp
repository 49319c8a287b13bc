// The tab set: design state, showing and hiding from the tab menu, the unread
// counters in the captions and their reset by a press on the tab strip.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>

#include "shell/app/main_window_fixture.h"
#include "shell/app/page_control.h"
#include "shell/app/session.h"
#include "shell/views/channel_view.h"

namespace ruv::testing {
namespace {

using TabSet = MainWindowTest;

TEST_F(TabSet, HasFourteenNamedPagesWithTheirCaptions) {
    const char* names[] = {"TabSheet1",        "TabSheet2",       "TabSheet3",  "TabSheet4",
                           "TabSheet5",        "TabSheet6",       "TabSheet7",  "TabSheet8",
                           "TabSheet9",        "TabSheet10",      "TabSheet11", "TabSheetSystem01",
                           "TabSheetSystem02", "TabSheetSystem03"};
    const char* captions[] = {
        "通常",       "一般",       "チーム",       "クラブ",          "耳打ち",
        "叫び",       "オリジナル", "NGフィルター", "戦闘情報",        "システム",
        "経験値情報", "エラーログ", "デバッグ",     "呼び出し音の設定"};
    ASSERT_EQ(pages(), window->pageControl());
    for (int i = 0; i < kTabCount; ++i) {
        EXPECT_EQ(window->pageControl()->page(*tabAtIndex(i))->objectName(),
                  QString::fromLatin1(names[i]))
            << i;
        EXPECT_EQ(window->caption(*tabAtIndex(i)), QString::fromUtf8(captions[i])) << i;
    }
    // The storage pages are never in the strip.
    EXPECT_EQ(pages()->indexOf(window->pageControl()->page(Tab::Debug)), -1);
    EXPECT_EQ(pages()->indexOf(window->pageControl()->page(Tab::Sounds)), -1);
}

TEST_F(TabSet, StartsWithBattleSystemAndStorageHiddenAndNormalActive) {
    for (int i = 0; i < kTabCount; ++i) {
        const bool hidden = i == 8 || i == 9 || i == 12 || i == 13;
        EXPECT_EQ(window->tabShown(*tabAtIndex(i)), !hidden) << i;
    }
    EXPECT_EQ(window->activeTab(), Tab::Normal);
}

TEST_F(TabSet, MarkingBattleShowsAndActivatesItUnmarkingHidesIt) {
    showWindow();
    entry("NF09")->trigger();
    EXPECT_TRUE(entry("NF09")->isChecked());
    EXPECT_TRUE(window->tabShown(Tab::Battle));
    EXPECT_EQ(window->activeTab(), Tab::Battle);

    entry("NF09")->trigger();
    EXPECT_FALSE(window->tabShown(Tab::Battle));
    EXPECT_NE(window->activeTab(), Tab::Battle);
}

TEST_F(TabSet, UnmarkingOpenHidesTheGeneralTabEvenWithACountedCaption) {
    window->session().core.unread.raise(Tab::Open);
    entry("NF02")->trigger();
    EXPECT_FALSE(window->tabShown(Tab::Open));
    EXPECT_EQ(window->caption(Tab::Open), QStringLiteral("一般(1)"));
    entry("NF02")->trigger();
    EXPECT_TRUE(window->tabShown(Tab::Open));
    EXPECT_EQ(window->activeTab(), Tab::Open);
}

TEST_F(TabSet, RoutingSeesTheTabsAndSwitchesAsTheUserSetsThem) {
    const RouteSettings& switches = window->session().core.state.route;
    entry("NF09")->trigger();
    entry("NF02")->trigger();
    window->ngWordSwitch()->click();
    window->mixCheckBox(ChatChannel::Battle)->click();
    EXPECT_TRUE(switches.TabShown(ChatChannel::Battle));
    EXPECT_FALSE(switches.TabShown(ChatChannel::Open));
    EXPECT_TRUE(switches.ngWordsApplied);
    EXPECT_FALSE(switches.ngUsersApplied);
    EXPECT_TRUE(switches.MixTicked(MixBox::Battle));
    EXPECT_FALSE(switches.MixTicked(MixBox::Open));
}

TEST_F(TabSet, SetTabShownKeepsTheMenuMarkInStepAndNeverShowsStorage) {
    window->setTabShown(Tab::System, TabVisibility::Shown);
    EXPECT_TRUE(window->tabShown(Tab::System));
    EXPECT_TRUE(entry("NF10")->isChecked());
    EXPECT_EQ(window->activeTab(), Tab::Normal);  // showing from the settings activates nothing

    window->setTabShown(Tab::Team, TabVisibility::Hidden);
    EXPECT_FALSE(window->tabShown(Tab::Team));
    EXPECT_FALSE(entry("NF03")->isChecked());

    window->setTabShown(Tab::Debug, TabVisibility::Shown);
    window->setTabShown(Tab::Sounds, TabVisibility::Shown);
    window->setTabShown(Tab::ErrorLog, TabVisibility::Hidden);
    EXPECT_FALSE(window->tabShown(Tab::Debug));
    EXPECT_FALSE(window->tabShown(Tab::Sounds));
    EXPECT_TRUE(window->tabShown(Tab::ErrorLog));
}

TEST_F(TabSet, HiddenActiveTabHandsActivationToAShownTab) {
    showWindow();
    window->setActiveTab(Tab::Club);
    entry("NF04")->trigger();
    EXPECT_FALSE(window->tabShown(Tab::Club));
    EXPECT_TRUE(window->tabShown(window->activeTab()));
    window->setActiveTab(Tab::Club);  // a hidden tab cannot be activated
    EXPECT_NE(window->activeTab(), Tab::Club);
}

// Qt's own hidden tabs left the scrolled strip blank on the left, its arrows dead.
TEST_F(TabSet, EveryShownTabCanBeScrolledToAndClickedAtTheDefaultSize) {
    showWindow();
    QTabBar* bar = pages()->tabBar();
    ASSERT_GT(bar->sizeHint().width(), bar->width()) << "the strip must need scrolling";
    QToolButton* rightArrow = nullptr;
    int arrowsLeft = bar->width();
    for (QToolButton* arrow : bar->findChildren<QToolButton*>()) {
        if (arrow->isVisible()) {
            arrowsLeft = std::min(arrowsLeft, arrow->x());
        }
        if (arrow->arrowType() == Qt::RightArrow) {
            rightArrow = arrow;
        }
    }
    ASSERT_NE(rightArrow, nullptr);
    const auto inSight = [&](int index) {
        const QRect tab = bar->tabRect(index);
        return tab.left() >= 0 && tab.right() < arrowsLeft;
    };
    for (int index = 0; index < bar->count(); ++index) {
        for (int press = 0; press < bar->count() && !inSight(index); ++press) {
            ASSERT_TRUE(rightArrow->isEnabled()) << index;
            rightArrow->click();
        }
        ASSERT_TRUE(inSight(index)) << index;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        EXPECT_EQ(bar->currentIndex(), index);
        EXPECT_TRUE(inSight(index)) << index;
        for (int next = index + 1; next < bar->count(); ++next) {
            EXPECT_EQ(bar->tabRect(next).left(), bar->tabRect(next - 1).right() + 1) << next;
        }
    }
}

TEST_F(TabSet, TabKeysStepThroughTheTabsWhereverTheFocusIsFromTheStart) {
    showWindow();
    struct StepKey {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int step;
    };
    const StepKey keys[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
                            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                            {Qt::Key_PageDown, Qt::ControlModifier, 1},
                            {Qt::Key_PageUp, Qt::ControlModifier, -1}};
    // The keys reach the widget that has the focus, or the window when none has it.
    const auto press = [this](const StepKey& key) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused != nullptr ? focused : window.get(), key.key, key.modifiers);
    };
    const int count = pages()->count();
    // Right after start, as the window left the focus.
    for (const StepKey& key : keys) {
        const int before = pages()->currentIndex();
        press(key);
        EXPECT_EQ(pages()->currentIndex(), (before + key.step + count) % count)
            << QKeySequence(key.key | key.modifiers).toString().toStdString();
    }
    // Then from each of these, and from nowhere (nullptr: no widget has the focus).
    window->setKeywordArmed(ChatChannel::Normal, KeywordSwitch::On);  // its field takes input
    for (QWidget* target : std::initializer_list<QWidget*>{
             window->view(ChatChannel::Normal), window->keywordEdit(ChatChannel::Normal),
             window->keywordCheckBox(ChatChannel::Normal), pages()->tabBar(), nullptr}) {
        const std::string name = target != nullptr ? target->metaObject()->className() : "none";
        for (const StepKey& key : keys) {
            window->setActiveTab(Tab::Normal);
            if (target != nullptr) {
                target->setFocus();
            } else if (QWidget* focused = QApplication::focusWidget()) {
                focused->clearFocus();
            }
            ASSERT_EQ(QApplication::focusWidget(), target) << name;
            press(key);
            EXPECT_EQ(pages()->currentIndex(), (key.step + count) % count)
                << name << " " << QKeySequence(key.key | key.modifiers).toString().toStdString();
        }
    }
}

using UnreadCaptions = MainWindowTest;

QPoint tabCentre(QTabWidget* tabs, Tab tab) {
    return tabs->tabBar()
        ->tabRect(tabs->indexOf(static_cast<PageControl*>(tabs)->page(tab)))
        .center();
}

TEST_F(UnreadCaptions, PressingTheTeamTabResetsItsCaptionAndCounter) {
    showWindow();
    for (int i = 0; i < 3; ++i) {
        window->session().core.unread.raise(Tab::Team);
    }
    QTest::mousePress(pages()->tabBar(), Qt::LeftButton, {}, tabCentre(pages(), Tab::Team));
    EXPECT_EQ(window->activeTab(), Tab::Team);
    EXPECT_EQ(window->caption(Tab::Team), QStringLiteral("チーム"));
    EXPECT_EQ(window->session().core.unread.count(Tab::Team), 0);
    window->session().core.unread.raise(Tab::Team);
    EXPECT_EQ(window->caption(Tab::Team), QStringLiteral("チーム(1)"));
}

TEST_F(UnreadCaptions, AnyButtonResetsOnlyTheTabActiveAfterThePress) {
    showWindow();
    window->session().core.unread.raise(Tab::Original);
    window->setActiveTab(Tab::Whis);
    window->session().core.unread.raise(Tab::Whis);
    EXPECT_EQ(window->caption(Tab::Whis), QStringLiteral("耳打ち(1)"));
    QTest::mousePress(pages()->tabBar(), Qt::RightButton, {}, tabCentre(pages(), Tab::Whis));
    EXPECT_EQ(window->caption(Tab::Whis), QStringLiteral("耳打ち"));
    EXPECT_EQ(window->caption(Tab::Original), QStringLiteral("オリジナル(1)"));
}

TEST_F(UnreadCaptions, ATabMadeCurrentByTheKeyboardOrTheProgramResetsItsCount) {
    showWindow();
    for (const Tab tab : {Tab::Open, Tab::Team, Tab::Team, Tab::Club}) {
        window->session().core.unread.raise(tab);
    }
    window->setActiveTab(Tab::Open);
    EXPECT_EQ(window->caption(Tab::Open), QStringLiteral("一般"));
    QTest::keyClick(pages(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->activeTab(), Tab::Team);
    EXPECT_EQ(window->caption(Tab::Team), QStringLiteral("チーム"));
    EXPECT_EQ(window->session().core.unread.count(Tab::Team), 0);
    window->view(ChatChannel::Team)->setFocus();
    QTest::keyClick(window->view(ChatChannel::Team), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->activeTab(), Tab::Club);
    EXPECT_EQ(window->caption(Tab::Club), QStringLiteral("クラブ"));
}

TEST_F(UnreadCaptions, PressWhileNormalOrALaterTabIsActiveChangesNoCaption) {
    showWindow();
    window->session().core.unread.raise(Tab::Open);
    window->session().core.unread.raise(Tab::NG);
    QTest::mousePress(pages()->tabBar(), Qt::LeftButton, {}, tabCentre(pages(), Tab::Normal));
    EXPECT_EQ(window->activeTab(), Tab::Normal);
    QTest::mousePress(pages()->tabBar(), Qt::LeftButton, {}, tabCentre(pages(), Tab::ErrorLog));
    EXPECT_EQ(window->activeTab(), Tab::ErrorLog);
    EXPECT_EQ(window->caption(Tab::Open), QStringLiteral("一般(1)"));
    EXPECT_EQ(window->caption(Tab::NG), QStringLiteral("NGフィルター(1)"));
    EXPECT_EQ(window->session().core.unread.count(Tab::Open), 1);
}

TEST_F(UnreadCaptions, ATabKeepsItsPlaceUntilItsCountPassesThreeDigits) {
    showWindow();
    const auto rectOf = [this](Tab tab) {
        return pages()->tabBar()->tabRect(pages()->indexOf(window->pageControl()->page(tab)));
    };
    const QRect plain = rectOf(Tab::Open);
    const QRect next = rectOf(Tab::Team);
    for (int i = 0; i < 999; ++i) {
        window->session().core.unread.raise(Tab::Open);
    }
    EXPECT_EQ(window->caption(Tab::Open), QStringLiteral("一般(999)"));
    EXPECT_EQ(rectOf(Tab::Open), plain);
    EXPECT_EQ(rectOf(Tab::Team), next);
    window->session().core.unread.raise(Tab::Open);
    EXPECT_GT(rectOf(Tab::Open).width(), plain.width());
}

TEST_F(UnreadCaptions, AnErrorLineWhileAnotherTabIsCurrentCountsUntilTheErrorLogIsPressed) {
    showWindow();
    window->session().errorLog.append("first");
    window->session().errorLog.append("second");
    EXPECT_EQ(window->caption(Tab::ErrorLog), QStringLiteral("エラーログ(2)"));
    QTest::mousePress(pages()->tabBar(), Qt::LeftButton, {}, tabCentre(pages(), Tab::ErrorLog));
    EXPECT_EQ(window->caption(Tab::ErrorLog), QStringLiteral("エラーログ"));
    window->session().errorLog.append("read at once");
    EXPECT_EQ(window->caption(Tab::ErrorLog), QStringLiteral("エラーログ"));
}

}  // namespace
}  // namespace ruv::testing
