#include "shell/speech/voice_list_page.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "core/speech/speech_dialog_rules.h"
#include "core/text/cp932.h"
#include "shell/platform/qt_text.h"
#include "shell/speech/speech_dialog_widgets.h"

namespace ruv {

namespace {

using namespace speech_dialog_widgets;

enum Column { kNameColumn = 0, kVoiceColumn, kVolumeColumn, kSpeedColumn, kToneColumn };

std::size_t sliderIndex(PanelSlider slider) {
    return static_cast<std::size_t>(slider);
}

}  // namespace

template <typename Sender, typename Signal>
void VoiceListPage::relay(Sender* sender, Signal signal, void (VoiceListPage::*ours)()) {
    connect(sender, signal, this, [this, ours] {
        if (!showing_) {
            (this->*ours)();
        }
    });
}

VoiceListPage::VoiceListPage(std::function<void()> refused, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet02"));
    auto* layout = new QHBoxLayout(this);
    auto* panel = new QVBoxLayout;
    auto* form = new QFormLayout;

    nameLabel_ = new QLabel(fromCp932(speech_dialog_texts::kNameLabel), this);
    nameLabel_->setObjectName(QStringLiteral("NameLabel01"));
    nameEdit_ = guardedEdit(this, "NameEdit01", std::move(refused));
    relay(nameEdit_, &QLineEdit::textChanged, &VoiceListPage::nameEdited);
    form->addRow(nameLabel_, nameEdit_);

    rowNumber_ = new QLineEdit(this);
    rowNumber_->setObjectName(QStringLiteral("ListNumberEdit01"));
    rowNumber_->setReadOnly(true);
    form->addRow(QStringLiteral("リスト番号"), rowNumber_);

    voice_ = new QComboBox(this);
    voice_->setObjectName(QStringLiteral("VoiceComboBox02"));
    addVoiceEntries(voice_, VoiceEntries::Numbered);
    relay(voice_, &QComboBox::currentIndexChanged, &VoiceListPage::voiceChosen);
    form->addRow(QStringLiteral("声質"), voice_);

    addVoiceSliderRows(this, form, 11, sliders_, labels_);
    relay(sliders_[0], &QSlider::valueChanged, &VoiceListPage::volumeMoved);
    relay(sliders_[1], &QSlider::valueChanged, &VoiceListPage::speedMoved);
    relay(sliders_[2], &QSlider::valueChanged, &VoiceListPage::toneMoved);
    panel->addLayout(form);

    auto* voiceTest = addButton(this, "VoiceTestButton02", QStringLiteral("ボイステスト"));
    connect(voiceTest, &QPushButton::clicked, this, &VoiceListPage::voiceTestClicked);
    panel->addWidget(voiceTest);

    auto* modes = new QGroupBox(QStringLiteral("編集モード"), this);
    modes->setObjectName(QStringLiteral("GroupBox02"));
    auto* modesRow = new QHBoxLayout(modes);
    addMode_ = new QRadioButton(QStringLiteral("新規作成"), modes);
    addMode_->setObjectName(QStringLiteral("AddRadioButton01"));
    editMode_ = new QRadioButton(QStringLiteral("リスト再編集"), modes);
    editMode_->setObjectName(QStringLiteral("EditRadioButton01"));
    connect(addMode_, &QRadioButton::clicked, this, &VoiceListPage::addModeClicked);
    connect(editMode_, &QRadioButton::clicked, this, &VoiceListPage::editModeClicked);
    modesRow->addWidget(addMode_);
    modesRow->addWidget(editMode_);
    panel->addWidget(modes);

    auto* buttons = new QHBoxLayout;
    addButton_ = addButton(this, "ListAddButton01", QStringLiteral("新規追加"));
    addButton_->setDefault(true);  // Enter adds the row
    deleteButton_ = addButton(this, "DeleteButton01", QStringLiteral("削除"));
    connect(addButton_, &QPushButton::clicked, this, &VoiceListPage::addClicked);
    connect(deleteButton_, &QPushButton::clicked, this, &VoiceListPage::deleteClicked);
    buttons->addWidget(addButton_);
    buttons->addWidget(deleteButton_);
    panel->addLayout(buttons);
    panel->addStretch(1);
    layout->addLayout(panel);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListView01"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setHeaderLabels({QStringLiteral("キャラ名"), QStringLiteral("声質"),
                            QStringLiteral("音量"), QStringLiteral("速度"),
                            QStringLiteral("音程")});
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* deleteEntry = new QAction(QStringLiteral("削除"), list_);
    deleteEntry->setObjectName(QStringLiteral("Delete1"));
    connect(deleteEntry, &QAction::triggered, this, &VoiceListPage::deleteClicked);
    list_->addAction(deleteEntry);
    relay(list_, &QTreeWidget::itemSelectionChanged, &VoiceListPage::selectionChanged);
    layout->addWidget(list_, 1);
}

void VoiceListPage::showEditor(const VoiceListEditor& editor) {
    showing_ = true;
    showRows(editor);
    showPanel(editor.panel());
    rowNumber_->setText(editor.rowNumber() ? QString::number(*editor.rowNumber()) : QString());
    showNameState(editor.nameBlocked(), editor.nameDuplicate());
    showListEnabled(editor.listEnabled());
    (editor.mode() == VoiceEditMode::Add ? addMode_ : editMode_)->setChecked(true);
    addMode_->setEnabled(editor.addModeEnabled());
    addButton_->setEnabled(editor.addEnabled());
    deleteButton_->setEnabled(editor.deleteEnabled());
    rowNumber_->setEnabled(editor.rowNumberEnabled());
    showing_ = false;
}

void VoiceListPage::showRows(const VoiceListEditor& editor) {
    const std::vector<VoiceProfile>& rows = editor.rows();
    const int count = static_cast<int>(rows.size());
    while (list_->topLevelItemCount() > count) {
        delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
    }
    while (list_->topLevelItemCount() < count) {
        new QTreeWidgetItem(list_);
    }
    const std::vector<std::size_t>& selection = editor.selection();
    for (int i = 0; i < count; ++i) {
        const VoiceProfile& row = rows[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = list_->topLevelItem(i);
        item->setText(kNameColumn, fromCp932(row.Name));
        item->setText(kVoiceColumn, QString::number(row.Voice));
        item->setText(kVolumeColumn, QString::number(row.Volume));
        item->setText(kSpeedColumn, QString::number(row.Speed));
        item->setText(kToneColumn, QString::number(row.Tone));
        const bool selected =
            std::binary_search(selection.begin(), selection.end(), static_cast<std::size_t>(i));
        if (item->isSelected() != selected) {
            item->setSelected(selected);
        }
    }
}

void VoiceListPage::showPanel(const VoiceProfile& panel) {
    const QString name = fromCp932(panel.Name);
    if (nameEdit_->text() != name) {  // keeps the cursor while typing
        nameEdit_->setText(name);
    }
    voice_->setCurrentIndex(std::clamp(panel.Voice, 0, voice_->count() - 1));
    sliders_[0]->setValue(panel.Volume);
    sliders_[1]->setValue(panel.Speed);
    sliders_[2]->setValue(panel.Tone);
    for (std::size_t i = 0; i < 3; ++i) {
        labels_[i]->setText(QString::number(sliders_[i]->value()));
    }
}

void VoiceListPage::showNameState(bool blocked, bool duplicate) {
    const QColor colour = blocked ? QColor(255, 0, 0) : QColor(0, 0, 0);
    nameLabel_->setText(fromCp932(duplicate ? speech_dialog_texts::kDuplicateLabel
                                            : speech_dialog_texts::kNameLabel));
    QPalette labelPalette = nameLabel_->palette();
    labelPalette.setColor(QPalette::WindowText, colour);
    nameLabel_->setPalette(labelPalette);
    QPalette editPalette = nameEdit_->palette();
    editPalette.setColor(QPalette::Text, colour);
    nameEdit_->setPalette(editPalette);
}

void VoiceListPage::showListEnabled(bool enabled) {
    list_->setEnabled(enabled);
    // Greyed while it cannot be used.
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, enabled ? QColor(255, 255, 255) : QColor(0xf0, 0xf0, 0xf0));
    list_->setPalette(palette);
}

std::string VoiceListPage::typedName() const {
    // The validator keeps the field within CP932.
    return cp932::fromUtf16(nameEdit_->text().toStdU16String()).value_or(std::string{});
}

int VoiceListPage::chosenVoice() const {
    return voice_->currentIndex();
}

int VoiceListPage::sliderValue(PanelSlider slider) const {
    return sliders_[sliderIndex(slider)]->value();
}

std::vector<std::size_t> VoiceListPage::selectedRows() const {
    std::vector<std::size_t> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected()) {
            rows.push_back(static_cast<std::size_t>(i));
        }
    }
    return rows;
}

VoiceParams VoiceListPage::typedVoice() const {
    return {sliders_[1]->value(), sliders_[2]->value(), sliders_[0]->value(),
            voice_->currentIndex()};
}

}  // namespace ruv
