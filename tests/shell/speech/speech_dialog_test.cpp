// The speech settings dialog: its list rules, its questions and what "OK",
// "キャンセル" and "設定の初期化" leave stored.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "core/speech/speech_dialog_rules.h"
#include "shell/app/session.h"
#include "shell/speech/cp932_refusal.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_window_fixture.h"

namespace ruv::testing {
namespace {

class SpeechDialogTest : public SpeechWindowTest {
  protected:
    void SetUp() override {
        SpeechWindowTest::SetUp();
        open();
    }
    void open() {
        window->openSpeechSettings();
        dialog = window->speechDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
    }

    template <typename W>
    W* child(const char* name) const {
        W* widget = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* nameEdit() const { return child<QLineEdit>("NameEdit01"); }
    QTreeWidget* list() const { return child<QTreeWidget>("ListView01"); }
    QPushButton* okButton() const { return child<QPushButton>("Button01"); }

    void addRow(const QString& name) {
        nameEdit()->setText(name);
        dialog->addOrEditCharacterClicked();
    }
    void selectOnly(std::initializer_list<int> rows) {
        list()->clearSelection();
        for (const int row : rows) {
            list()->topLevelItem(row)->setSelected(true);
        }
    }
    QStringList rowNames() const {
        QStringList names;
        for (const VoiceProfile& row : dialog->rows()) {
            names << qtext(row.Name);
        }
        return names;
    }
    QString warning(std::size_t index) const {
        EXPECT_LT(index, messages.shown.size());
        if (index >= messages.shown.size()) {
            return {};
        }
        EXPECT_EQ(messages.shown[index].first, MessageKind::Warning);
        return messages.shown[index].second;
    }

    SpeechDialog* dialog = nullptr;
};

TEST_F(SpeechDialogTest, AddingRefusesADuplicateAndAnEmptyName) {
    child<QSlider>("TrackBar11")->setValue(80);
    child<QComboBox>("VoiceComboBox02")->setCurrentIndex(3);
    addRow(QStringLiteral("abc"));
    ASSERT_EQ(dialog->rows().size(), 1u);
    EXPECT_EQ(dialog->rows()[0], (VoiceProfile{"abc", 3, 80, 100, 100}));
    EXPECT_TRUE(nameEdit()->text().isEmpty());
    EXPECT_EQ(child<QSlider>("TrackBar11")->value(), 80);  // the sliders keep their values
    EXPECT_EQ(list()->topLevelItem(0)->text(1), QStringLiteral("3"));

    addRow(QStringLiteral("abc"));
    EXPECT_EQ(warning(0), QStringLiteral("既に同じキャラが登録されています"));
    addRow(QString());
    EXPECT_EQ(warning(1), QStringLiteral("キャラ名が未記入のためリストに追加出来ません"));
    EXPECT_EQ(dialog->rows().size(), 1u);
    EXPECT_EQ(list()->topLevelItemCount(), 1);
}

TEST_F(SpeechDialogTest, RenamingToAnotherRowsNameBlocksOkUntilCorrected) {
    addRow(QStringLiteral("abc"));
    addRow(QStringLiteral("xy"));
    dialog->editModeClicked();
    EXPECT_TRUE(list()->isEnabled());
    selectOnly({1});
    EXPECT_EQ(child<QLineEdit>("ListNumberEdit01")->text(), QStringLiteral("1"));
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("xy"));

    nameEdit()->setText(QStringLiteral("abc"));
    QLabel* label = child<QLabel>("NameLabel01");
    EXPECT_EQ(label->text(), QStringLiteral("※重複"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(nameEdit()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_FALSE(okButton()->isEnabled());
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(child<QRadioButton>("AddRadioButton01")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("DeleteButton01")->isEnabled());
    dialog->okClicked();  // refused while the name is a duplicate
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(nameEdit(), Qt::Key_Backspace);  // "ab"
    EXPECT_EQ(label->text(), QStringLiteral("キャラ名"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(okButton()->isEnabled());
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_EQ(rowNames(), (QStringList{QStringLiteral("abc"), QStringLiteral("ab")}));
    EXPECT_EQ(list()->topLevelItem(1)->text(0), QStringLiteral("ab"));

    // The panel edits the selected row live, column by column.
    child<QSlider>("TrackBar13")->setValue(150);
    child<QComboBox>("VoiceComboBox02")->setCurrentIndex(6);
    EXPECT_EQ(dialog->rows()[1], (VoiceProfile{"ab", 6, 100, 100, 150}));
    EXPECT_EQ(list()->topLevelItem(1)->text(4), QStringLiteral("150"));
    EXPECT_EQ(dialog->rows()[0], (VoiceProfile{"abc", 0, 100, 100, 100}));

    dialog->okClicked();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->storedSpeech().voiceList().Profiles(), dialog->rows());
}

TEST_F(SpeechDialogTest, ChoosingEditModeAgainKeepsADuplicateNameBlocked) {
    for (const char* name : {"abc", "xy", "q"}) {
        addRow(QString::fromLatin1(name));
    }
    dialog->editModeClicked();
    selectOnly({1});
    nameEdit()->setText(QStringLiteral("abc"));
    dialog->editModeClicked();
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_FALSE(child<QPushButton>("DeleteButton01")->isEnabled());
    EXPECT_FALSE(okButton()->isEnabled());
}

TEST_F(SpeechDialogTest, SelectingAnotherRowDoesNotRenameThePreviousOne) {
    addRow(QStringLiteral("abc"));
    addRow(QStringLiteral("xy"));
    dialog->editModeClicked();
    selectOnly({0});
    selectOnly({1});
    EXPECT_EQ(rowNames(), (QStringList{QStringLiteral("abc"), QStringLiteral("xy")}));
    EXPECT_TRUE(okButton()->isEnabled());
}

TEST_F(SpeechDialogTest, DeleteAsksWithOkAndCancelAndRemovesTheSelectedRowsOnlyOnOk) {
    for (const char* name : {"a", "b", "c"}) {
        addRow(QString::fromLatin1(name));
    }
    dialog->editModeClicked();
    selectOnly({0, 2});

    messages.answers = {Answer::No};
    dialog->deleteCharacterClicked();
    EXPECT_EQ(messages.confirmed, QStringList{QStringLiteral("選択したリストを削除しますか？")});
    EXPECT_EQ(dialog->rows().size(), 3u);

    messages.answers = {Answer::Yes};
    child<QAction>("Delete1")->trigger();  // the list's pop-up entry
    EXPECT_EQ(rowNames(), QStringList{QStringLiteral("b")});
    EXPECT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_TRUE(child<QLineEdit>("ListNumberEdit01")->text().isEmpty());

    // Nothing selected: no question at all.
    dialog->deleteCharacterClicked();
    EXPECT_EQ(messages.confirmed.size(), 2);
    EXPECT_TRUE(messages.asked.isEmpty());
}

TEST_F(SpeechDialogTest, ResetThenCancelStoresNothing) {
    SpeechSettingTexts stored{"192.168.0.9", "50080", "40", "150", "60", "4", "20", "1", "2"};
    window->storedSpeech().setSpeechSettingTexts(stored);
    dialog->cancelClicked();
    open();
    EXPECT_EQ(child<QLineEdit>("AddressEdit01")->text(), QStringLiteral("192.168.0.9"));
    EXPECT_EQ(child<QSlider>("TrackBar02")->value(), 150);
    EXPECT_EQ(child<QLabel>("TrackBarLabel02")->text(), QStringLiteral("150"));
    EXPECT_TRUE(child<QRadioButton>("RadioButton01")->isChecked());

    messages.answers = {Answer::No};
    dialog->resetClicked();
    EXPECT_EQ(child<QLineEdit>("PortEdit01")->text(), QStringLiteral("50080"));

    messages.answers = {Answer::Yes};
    dialog->resetClicked();
    EXPECT_EQ(messages.confirmed,
              QStringList(2, QStringLiteral("初期設定に戻しますか？")));  // OK and キャンセル
    EXPECT_TRUE(messages.asked.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              std::make_pair(MessageKind::Information, QStringLiteral("初期値に戻しました。")));
    EXPECT_EQ(child<QLineEdit>("AddressEdit01")->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(child<QLineEdit>("PortEdit01")->text(), QStringLiteral("50001"));
    EXPECT_EQ(child<QSlider>("TrackBar01")->value(), 100);
    EXPECT_EQ(child<QComboBox>("VoiceComboBox01")->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>("LimitEdit01")->text(), QStringLiteral("36"));
    EXPECT_TRUE(child<QRadioButton>("RadioButton02")->isChecked());

    dialog->cancelClicked();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->storedSpeech().speechSettingTexts(), stored);
    open();
    EXPECT_EQ(child<QLineEdit>("AddressEdit01")->text(), QStringLiteral("192.168.0.9"));
}

TEST_F(SpeechDialogTest, OkStoresTheValuesWithTheLimitCappedAt64) {
    child<QLineEdit>("LimitEdit01")->setText(QStringLiteral("100"));
    child<QSlider>("TrackBar01")->setValue(55);
    child<QComboBox>("VoiceComboBox01")->setCurrentIndex(7);
    child<QRadioButton>("RadioButton01")->setChecked(true);
    addRow(QStringLiteral("abc"));
    dialog->okClicked();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().limit, "64");
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().volume, "55");
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().voiceKind, "7");
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().nameReading, "1");
    const SpeechSettings& spoken = window->session().core.speech.settings();
    EXPECT_EQ(spoken.limitMoji, 64);
    EXPECT_EQ(spoken.volume, 55);
    EXPECT_EQ(spoken.names, NameReading::Read);
    ASSERT_EQ(window->storedSpeech().voiceList().Profiles().size(), 1u);
    EXPECT_EQ(window->voiceListView()->topLevelItemCount(), 1);
}

TEST_F(SpeechDialogTest, OkWithALimitThatIsNoNumberStoresNothingAndStaysOpen) {
    child<QLineEdit>("LimitEdit01")->setText(QStringLiteral("3a"));
    child<QSlider>("TrackBar01")->setValue(10);
    dialog->okClicked();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(warning(0), QStringLiteral("'3a' は有効な整数値ではありません"));
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().volume, "100");
}

TEST_F(SpeechDialogTest, APortOutsideOneTo65535IsRefusedAsOutOfRangeByOkAndTheTests) {
    for (const char* port : {"70000", "0"}) {
        messages.shown.clear();
        child<QLineEdit>("PortEdit01")->setText(QString::fromLatin1(port));
        dialog->okClicked();
        dialog->voiceTestClicked();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(window->storedSpeech().speechSettingTexts().port, "50001");
        ASSERT_EQ(messages.shown.size(), 2u);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_TRUE(warning(i).contains(QString::fromLatin1(port)));
            EXPECT_TRUE(warning(i).contains(QStringLiteral("1～65535")))
                << warning(i).toStdString();
        }
    }
}

TEST_F(SpeechDialogTest, ClosingResetsTheEditPanelForTheNextOpening) {
    addRow(QStringLiteral("abc"));
    dialog->editModeClicked();
    selectOnly({0});
    child<QTabWidget>("PageControl01")->setCurrentIndex(1);
    dialog->cancelClicked();
    open();

    EXPECT_TRUE(child<QRadioButton>("AddRadioButton01")->isChecked());
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_EQ(list()->topLevelItemCount(), 0);  // the row was never stored
    EXPECT_TRUE(nameEdit()->text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("ListNumberEdit01")->text().isEmpty());
    EXPECT_TRUE(child<QPushButton>("ListAddButton01")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("DeleteButton01")->isEnabled());
    EXPECT_EQ(child<QSlider>("TrackBar12")->value(), 100);
    EXPECT_EQ(child<QTabWidget>("PageControl01")->currentIndex(), 0);
}

TEST_F(SpeechDialogTest, StoredValueThatIsNoNumberOpensAtItsResetValueWithOneErrorLine) {
    dialog->cancelClicked();
    SpeechSettingTexts stored = window->storedSpeech().speechSettingTexts();
    stored.volume = "loud";
    window->storedSpeech().setSpeechSettingTexts(stored);
    open();
    EXPECT_EQ(child<QSlider>("TrackBar01")->value(), 100);
    const QStringList lines = errorLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("BouVolume"))) << lines[0].toStdString();
    EXPECT_TRUE(
        lines[0].endsWith(QStringLiteral("(BouyomiSettingButton01Click) 2024/05/01 9:05:07")))
        << lines[0].toStdString();
    // The stored text itself is left for the user to correct with "OK".
    EXPECT_EQ(window->storedSpeech().speechSettingTexts().volume, "loud");
}

TEST_F(SpeechDialogTest, TextShiftJisCannotHoldIsRefusedWithAMessage) {
    nameEdit()->setText(QStringLiteral("abc"));
    nameEdit()->insert(QStringLiteral("😀"));  // pasting an emoji
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("abc"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown.empty(); }, 5000));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(warning(0), cp932RefusalText());
}

}  // namespace
}  // namespace ruv::testing
