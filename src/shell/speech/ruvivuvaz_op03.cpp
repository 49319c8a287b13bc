#include "shell/speech/ruvivuvaz_op03.h"

#include "shell/platform/qt_text.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

#include "core/speech/speech_test_buttons.h"
#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/app/session.h"
#include "shell/platform/user_messages.h"
#include "shell/speech/cp932_refusal.h"
#include "shell/speech/ruvivuvaz_op03_parts.h"

namespace ruv {

namespace {

using namespace speech_dialog_parts;

constexpr int kLimitMaxLength = 3;

QString usageMemo() {
    return QStringLiteral(
        "【棒読みちゃんとの連携】\n"
        "オリジナルタブに混ぜた行を、別に起動した棒読みちゃんに送って読み上げさせます。"
        "棒読みちゃんの「アプリケーション連携」で「Socket通信を使う」を True にしてください。\n"
        "\n"
        "【IPアドレス・ポート番号】\n"
        "棒読みちゃんの設定と同じ値にします（初期値 127.0.0.1 / 50001）。"
        "「通信テスト」で届くか確かめられます。\n"
        "\n"
        "【声】\n"
        "音量は 0～100、速度と音程は 50～200、声質はデフォルトと8種類から選べます。"
        "「ユーザー別発声設定」でキャラごとの声を登録すると、そのキャラの発言はその声で読まれます。"
        "\n"
        "\n"
        "【文字数制限】\n"
        "1行で読み上げる全角の文字数です（半角は2文字で全角1文字）。64文字まで指定できます。\n"
        "\n"
        "【発言者の名前】\n"
        "「読まない」にすると、一般・チーム・クラブ・耳打ちの行は発言者の名前を省いて読みます。"
        "叫びなどの行は名前も読みます。\n"
        "\n"
        "設定は「OK」を押すまで反映されません。");
}

void addVoiceEntries(QComboBox* box, bool withNumbers) {
    static constexpr const char* kPlain[] = {"デフォルト", "女性１",   "女性２", "男性１", "男性２",
                                             "中性",       "ロボット", "機械１", "機械２"};
    static constexpr const char* kNumbered[] = {"デフォルト　：0", "女性１　：1", "女性２　：2",
                                                "男性１　：3",     "男性２　：4", "中性　　：5",
                                                "ロボット：6",     "機械１　：7", "機械２　：8"};
    for (int i = 0; i < 9; ++i) {
        box->addItem(QString::fromUtf8(withNumbers ? kNumbered[i] : kPlain[i]));
    }
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TForm4::TForm4(TForm1& window) : QDialog(&window), window_(window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("棒読みちゃんへの各種設定"));

    testWait_ = new QTimer(this);
    testWait_->setObjectName(QStringLiteral("ConnectionTestWait"));
    testWait_->setSingleShot(true);
    testWait_->setInterval(kConnectionTestWait);
    connect(testWait_, &QTimer::timeout, this, [this] {
        testButton_->setEnabled(true);
        UserMessages& messages = window_.messages();
        if (messages.ask(questionTitle(), fromCp932(kConnectionTestQuestion)) == Answer::Yes) {
            messages.show(MessageKind::Information, fromCp932(kConnectionTestDone));
        } else {
            messages.show(MessageKind::Warning, fromCp932(connectionTestAdvice()));
        }
    });

    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl01"));
    auto* basic = new QWidget(pages_);
    basic->setObjectName(QStringLiteral("TabSheet01"));
    auto* voices = new QWidget(pages_);
    voices->setObjectName(QStringLiteral("TabSheet02"));
    buildBasicPage(basic);
    buildVoicePage(voices);
    pages_->addTab(basic, QStringLiteral("基本設定"));
    pages_->addTab(voices, QStringLiteral("ユーザー別発声設定"));
    layout->addWidget(pages_, 1);

    auto* bottom = new QHBoxLayout;
    auto* notice = new QLabel(QStringLiteral("OKボタンを押さないと、設定は反映されません！"), this);
    notice->setObjectName(QStringLiteral("Label01"));
    okButton_ = addButton(this, "Button01", QStringLiteral("OK"));
    auto* cancel = addButton(this, "Button02", QStringLiteral("キャンセル"));
    connect(okButton_, &QPushButton::clicked, this, &TForm4::Button01Click);
    connect(cancel, &QPushButton::clicked, this, &TForm4::Button02Click);
    bottom->addWidget(notice, 1);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    FormClose();
}

QLineEdit* TForm4::guardedEdit(QWidget* page, const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new RefusingCp932Validator(
        [this] { window_.messages().show(MessageKind::Warning, cp932RefusalText()); }, edit));
    return edit;
}

QSlider* TForm4::addSlider(QWidget* page, const char* name, const char* labelName, int minimum,
                           int maximum, QLabel*& valueLabel) {
    auto* slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(minimum, maximum);
    slider->setValue(100);
    valueLabel = new QLabel(QStringLiteral("100"), page);
    valueLabel->setObjectName(QString::fromLatin1(labelName));
    valueLabel->setMinimumWidth(valueLabel->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    return slider;
}

void TForm4::buildBasicPage(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    auto* form = new QFormLayout;

    addressEdit_ = guardedEdit(page, "AddressEdit01");
    portEdit_ = guardedEdit(page, "PortEdit01");
    testButton_ = addButton(page, "TestButton01", QStringLiteral("通信テスト"));
    connect(testButton_, &QPushButton::clicked, this, &TForm4::TestButton01Click);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portEdit_, 1);
    portRow->addWidget(testButton_);
    form->addRow(QStringLiteral("IPアドレス"), addressEdit_);
    form->addRow(QStringLiteral("ポート番号"), portRow);

    static constexpr const char* kSliderNames[3] = {"TrackBar01", "TrackBar02", "TrackBar03"};
    static constexpr const char* kLabelNames[3] = {"TrackBarLabel01", "TrackBarLabel02",
                                                   "TrackBarLabel03"};
    static constexpr const char* kCaptions[3] = {"音量", "速度", "音程"};
    static constexpr int kMinimum[3] = {0, 50, 50};
    static constexpr int kMaximum[3] = {100, 200, 200};
    for (std::size_t i = 0; i < 3; ++i) {
        globalSliders_[i] = addSlider(page, kSliderNames[i], kLabelNames[i], kMinimum[i],
                                      kMaximum[i], globalLabels_[i]);
        auto* row = new QHBoxLayout;
        row->addWidget(globalSliders_[i], 1);
        row->addWidget(globalLabels_[i]);
        form->addRow(QString::fromUtf8(kCaptions[i]), row);
    }
    connect(globalSliders_[0], &QSlider::valueChanged, this, &TForm4::TrackBar01Change);
    connect(globalSliders_[1], &QSlider::valueChanged, this, &TForm4::TrackBar02Change);
    connect(globalSliders_[2], &QSlider::valueChanged, this, &TForm4::TrackBar03Change);

    globalVoice_ = new QComboBox(page);
    globalVoice_->setObjectName(QStringLiteral("VoiceComboBox01"));
    addVoiceEntries(globalVoice_, false);
    auto* voiceTest = addButton(page, "VoiceTestButton01", QStringLiteral("ボイステスト"));
    connect(voiceTest, &QPushButton::clicked, this, &TForm4::VoiceTestButton01Click);
    auto* voiceRow = new QHBoxLayout;
    voiceRow->addWidget(globalVoice_, 1);
    voiceRow->addWidget(voiceTest);
    form->addRow(QStringLiteral("声質"), voiceRow);

    limitEdit_ = guardedEdit(page, "LimitEdit01");
    limitEdit_->setMaxLength(kLimitMaxLength);
    limitEdit_->setToolTip(QStringLiteral("全角64文字数以内"));
    form->addRow(QStringLiteral("文字数制限"), limitEdit_);

    auto* names = new QGroupBox(QStringLiteral("発言者の名前は"), page);
    names->setObjectName(QStringLiteral("GroupBox01"));
    auto* namesRow = new QHBoxLayout(names);
    readNames_ = new QRadioButton(QStringLiteral("読む"), names);
    readNames_->setObjectName(QStringLiteral("RadioButton01"));
    skipNames_ = new QRadioButton(QStringLiteral("読まない"), names);
    skipNames_->setObjectName(QStringLiteral("RadioButton02"));
    namesRow->addWidget(readNames_);
    namesRow->addWidget(skipNames_);
    form->addRow(names);

    auto* reset = addButton(page, "Button03", QStringLiteral("設定の初期化"));
    connect(reset, &QPushButton::clicked, this, &TForm4::Button03Click);
    form->addRow(reset);
    layout->addLayout(form, 1);

    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("ManualMemo01"));
    memo->setReadOnly(true);
    memo->setPlainText(usageMemo());
    layout->addWidget(memo, 1);
}

void TForm4::buildVoicePage(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    auto* panel = new QVBoxLayout;
    auto* form = new QFormLayout;

    nameLabel_ = new QLabel(fromCp932(speech_dialog_texts::kNameLabel), page);
    nameLabel_->setObjectName(QStringLiteral("NameLabel01"));
    nameEdit_ = guardedEdit(page, "NameEdit01");
    connect(nameEdit_, &QLineEdit::textChanged, this, &TForm4::NameEdit01Change);
    form->addRow(nameLabel_, nameEdit_);

    rowNumber_ = new QLineEdit(page);
    rowNumber_->setObjectName(QStringLiteral("ListNumberEdit01"));
    rowNumber_->setReadOnly(true);
    form->addRow(QStringLiteral("リスト番号"), rowNumber_);

    rowVoice_ = new QComboBox(page);
    rowVoice_->setObjectName(QStringLiteral("VoiceComboBox02"));
    addVoiceEntries(rowVoice_, true);
    connect(rowVoice_, &QComboBox::currentIndexChanged, this, &TForm4::VoiceComboBox02Change);
    form->addRow(QStringLiteral("声質"), rowVoice_);

    static constexpr const char* kSliderNames[3] = {"TrackBar11", "TrackBar12", "TrackBar13"};
    static constexpr const char* kLabelNames[3] = {"TrackBarLabel11", "TrackBarLabel12",
                                                   "TrackBarLabel13"};
    static constexpr const char* kCaptions[3] = {"音量", "速度", "音程"};
    static constexpr int kMinimum[3] = {0, 50, 50};
    static constexpr int kMaximum[3] = {100, 200, 200};
    for (std::size_t i = 0; i < 3; ++i) {
        rowSliders_[i] = addSlider(page, kSliderNames[i], kLabelNames[i], kMinimum[i], kMaximum[i],
                                   rowLabels_[i]);
        auto* row = new QHBoxLayout;
        row->addWidget(rowSliders_[i], 1);
        row->addWidget(rowLabels_[i]);
        form->addRow(QString::fromUtf8(kCaptions[i]), row);
    }
    connect(rowSliders_[0], &QSlider::valueChanged, this, &TForm4::TrackBar11Change);
    connect(rowSliders_[1], &QSlider::valueChanged, this, &TForm4::TrackBar12Change);
    connect(rowSliders_[2], &QSlider::valueChanged, this, &TForm4::TrackBar13Change);
    panel->addLayout(form);

    auto* voiceTest = addButton(page, "VoiceTestButton02", QStringLiteral("ボイステスト"));
    connect(voiceTest, &QPushButton::clicked, this, &TForm4::VoiceTestButton02Click);
    panel->addWidget(voiceTest);

    auto* modes = new QGroupBox(QStringLiteral("編集モード"), page);
    modes->setObjectName(QStringLiteral("GroupBox02"));
    auto* modesRow = new QHBoxLayout(modes);
    addMode_ = new QRadioButton(QStringLiteral("新規作成"), modes);
    addMode_->setObjectName(QStringLiteral("AddRadioButton01"));
    editMode_ = new QRadioButton(QStringLiteral("リスト再編集"), modes);
    editMode_->setObjectName(QStringLiteral("EditRadioButton01"));
    connect(addMode_, &QRadioButton::clicked, this, &TForm4::AddRadioButton01Click);
    connect(editMode_, &QRadioButton::clicked, this, &TForm4::EditRadioButton01Click);
    modesRow->addWidget(addMode_);
    modesRow->addWidget(editMode_);
    panel->addWidget(modes);

    auto* buttons = new QHBoxLayout;
    addButton_ = addButton(page, "ListAddButton01", QStringLiteral("新規追加"));
    addButton_->setDefault(true);  // Enter adds the row
    deleteButton_ = addButton(page, "DeleteButton01", QStringLiteral("削除"));
    connect(addButton_, &QPushButton::clicked, this, &TForm4::ListAddButton01Click);
    connect(deleteButton_, &QPushButton::clicked, this, &TForm4::Delete1Click);
    buttons->addWidget(addButton_);
    buttons->addWidget(deleteButton_);
    panel->addLayout(buttons);
    panel->addStretch(1);
    layout->addLayout(panel);

    list_ = new QTreeWidget(page);
    list_->setObjectName(QStringLiteral("ListView01"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setHeaderLabels({QStringLiteral("キャラ名"), QStringLiteral("声質"),
                            QStringLiteral("音量"), QStringLiteral("速度"),
                            QStringLiteral("音程")});
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* deleteEntry = new QAction(QStringLiteral("削除"), list_);
    deleteEntry->setObjectName(QStringLiteral("Delete1"));
    connect(deleteEntry, &QAction::triggered, this, &TForm4::Delete1Click);
    list_->addAction(deleteEntry);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TForm4::ListView01SelectItem);
    layout->addWidget(list_, 1);
}

// --- Opening and closing -----------------------------------------------------

void TForm4::OpenSpeechSettings() {
    if (isVisible()) {
        return;
    }
    filling_ = true;
    list_->clear();
    rows_ = window_.voiceList().Profiles();
    for (const VoiceProfile& row : rows_) {
        appendRowItem(row);
    }
    filling_ = false;

    const SpeechSettingsReading stored = readSpeechSettings(window_.speechSettingTexts());
    showValues(dialogValuesFromStored(stored));
    if (!stored.badKeys.empty()) {
        window_.session().speechSide.reportError(badSpeechSettingsErrorText(stored.badKeys));
    }

    setWindowModality(Qt::ApplicationModal);
    show();
}

void TForm4::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm4::FormClose() {
    pendingConnectionTest_.reset();
    testWait_->stop();
    testButton_->setEnabled(true);

    filling_ = true;
    list_->clearSelection();
    nameEdit_->clear();
    rowNumber_->clear();
    fillPanel(kPanelResetValues);
    filling_ = false;

    setNameState(false, false);
    addMode_->setChecked(true);
    addMode_->setEnabled(true);
    setListEnabled(false);
    addButton_->setEnabled(true);
    deleteButton_->setEnabled(false);
    rowNumber_->setEnabled(false);
    okButton_->setEnabled(true);
    pages_->setCurrentIndex(0);
}

// --- Basic settings ------------------------------------------------------------

void TForm4::showValues(const SpeechDialogValues& values) {
    addressEdit_->setText(fromCp932(values.address));
    portEdit_->setText(fromCp932(values.port));
    globalSliders_[0]->setValue(values.volume);
    globalSliders_[1]->setValue(values.speed);
    globalSliders_[2]->setValue(values.tone);
    for (std::size_t i = 0; i < 3; ++i) {
        globalLabels_[i]->setText(QString::number(globalSliders_[i]->value()));
    }
    globalVoice_->setCurrentIndex(std::clamp(values.voiceKind, 0, globalVoice_->count() - 1));
    limitEdit_->setText(fromCp932(values.limit));
    (values.names == NameReading::Read ? readNames_ : skipNames_)->setChecked(true);
}

std::optional<std::string> TForm4::fieldText(const QLineEdit* edit) const {
    return cp932::fromUtf16(edit->text().toStdU16String());
}

SpeechDialogValues TForm4::typedValues() const {
    SpeechDialogValues values;
    // The validators keep every field within CP932.
    values.address = fieldText(addressEdit_).value_or(std::string{});
    values.port = fieldText(portEdit_).value_or(std::string{});
    values.volume = globalSliders_[0]->value();
    values.speed = globalSliders_[1]->value();
    values.tone = globalSliders_[2]->value();
    values.voiceKind = globalVoice_->currentIndex();
    values.limit = fieldText(limitEdit_).value_or(std::string{});
    values.names = readNames_->isChecked() ? NameReading::Read : NameReading::NotRead;
    return values;
}

void TForm4::refuseNotNumber(const QString& typed) {
    window_.messages().show(MessageKind::Warning,
                            QStringLiteral("'%1' は有効な整数値ではありません").arg(typed));
}

void TForm4::refusePort() {
    const std::string typed = fieldText(portEdit_).value_or(std::string{});
    if (checkDialogPort(typed) == PortCheck::OutOfRange) {
        window_.messages().show(MessageKind::Warning, fromCp932(portOutOfRangeText(typed)));
    } else {
        refuseNotNumber(portEdit_->text());
    }
}

void TForm4::Button01Click() {
    if (!okButton_->isEnabled()) {
        return;
    }
    const SpeechDialogOk ok = applyDialogOk(typedValues(), window_.speechSettingTexts().readMode);
    if (ok.refusal == OkRefusal::LimitNotNumber) {
        refuseNotNumber(limitEdit_->text());
        return;
    }
    if (ok.refusal == OkRefusal::PortNotNumber || ok.refusal == OkRefusal::PortOutOfRange) {
        refusePort();
        return;
    }
    window_.setSpeechSettingTexts(ok.stored);
    window_.session().speechSide.dropWaitingForOldEndpoint();
    window_.setVoiceProfiles(rows_);
    accept();
}

void TForm4::Button02Click() {
    reject();
}

void TForm4::Button03Click() {
    UserMessages& messages = window_.messages();
    if (messages.confirm(questionTitle(), fromCp932(speech_dialog_texts::kResetQuestion)) !=
        Answer::Yes) {
        return;
    }
    showValues(dialogResetValues());
    messages.show(MessageKind::Information, fromCp932(speech_dialog_texts::kResetDone));
}

void TForm4::TrackBar01Change() {
    globalLabels_[0]->setText(QString::number(globalSliders_[0]->value()));
}
void TForm4::TrackBar02Change() {
    globalLabels_[1]->setText(QString::number(globalSliders_[1]->value()));
}
void TForm4::TrackBar03Change() {
    globalLabels_[2]->setText(QString::number(globalSliders_[2]->value()));
}

// --- Test buttons --------------------------------------------------------------

void TForm4::sendTest(const VoiceParams* voice) {
    const auto address = fieldText(addressEdit_).value_or(std::string{});
    const auto port = fieldText(portEdit_).value_or(std::string{});
    const std::optional<SpeechEndpoint> endpoint = endpointFromTexts(address, port);
    if (!endpoint) {
        refusePort();
        return;
    }
    SpeechClient& client = window_.session().speechSide.client();
    if (voice != nullptr) {
        client.SendTest(voiceTestRequest(*endpoint, *voice));
        return;
    }
    // The wait for the question starts once the request was sent or given up,
    // so the speech program has had its time to speak.
    testButton_->setEnabled(false);
    const std::uint64_t request = ++connectionTests_;
    pendingConnectionTest_ = request;
    client.SendTest(connectionTestRequest(*endpoint), [this, request] {
        QMetaObject::invokeMethod(
            this, [this, request] { connectionTestTried(request); }, Qt::QueuedConnection);
    });
}

void TForm4::connectionTestTried(std::uint64_t request) {
    if (pendingConnectionTest_ == request) {
        pendingConnectionTest_.reset();
        testWait_->start();
    }
}

void TForm4::TestButton01Click() {
    if (pendingConnectionTest_ || testWait_->isActive()) {
        return;
    }
    sendTest(nullptr);
}

void TForm4::VoiceTestButton01Click() {
    const VoiceParams voice{globalSliders_[1]->value(), globalSliders_[2]->value(),
                            globalSliders_[0]->value(), globalVoice_->currentIndex()};
    sendTest(&voice);
}

void TForm4::VoiceTestButton02Click() {
    const VoiceParams voice{rowSliders_[1]->value(), rowSliders_[2]->value(),
                            rowSliders_[0]->value(), rowVoice_->currentIndex()};
    sendTest(&voice);
}

}  // namespace ruv
