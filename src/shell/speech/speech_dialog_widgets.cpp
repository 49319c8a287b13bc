#include "shell/speech/speech_dialog_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <utility>

#include "shell/speech/cp932_refusal.h"

namespace ruv::speech_dialog_widgets {

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QSlider* addSlider(QWidget* parent, const char* name, const char* labelName, PanelRange range,
                   QLabel*& valueLabel) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(range.minimum, range.maximum);
    slider->setValue(100);
    valueLabel = new QLabel(QStringLiteral("100"), parent);
    valueLabel->setObjectName(QString::fromLatin1(labelName));
    valueLabel->setMinimumWidth(valueLabel->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    return slider;
}

void addVoiceSliderRows(QWidget* parent, QFormLayout* form, int firstNumber,
                        std::array<QSlider*, 3>& sliders, std::array<QLabel*, 3>& labels) {
    static constexpr const char* kCaptions[3] = {"音量", "速度", "音程"};
    static constexpr PanelRange kRanges[3] = {kPanelVolumeRange, kPanelSpeedRange, kPanelToneRange};
    for (std::size_t i = 0; i < 3; ++i) {
        const int number = firstNumber + static_cast<int>(i);
        const QByteArray name =
            QStringLiteral("TrackBar%1").arg(number, 2, 10, QChar('0')).toLatin1();
        const QByteArray labelName =
            QStringLiteral("TrackBarLabel%1").arg(number, 2, 10, QChar('0')).toLatin1();
        sliders[i] =
            addSlider(parent, name.constData(), labelName.constData(), kRanges[i], labels[i]);
        auto* row = new QHBoxLayout;
        row->addWidget(sliders[i], 1);
        row->addWidget(labels[i]);
        form->addRow(QString::fromUtf8(kCaptions[i]), row);
    }
}

QLineEdit* guardedEdit(QWidget* parent, const char* name, std::function<void()> refused) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new RefusingCp932Validator(std::move(refused), edit));
    return edit;
}

void addVoiceEntries(QComboBox* box, VoiceEntries entries) {
    static constexpr const char* kPlain[] = {"デフォルト", "女性１",   "女性２", "男性１", "男性２",
                                             "中性",       "ロボット", "機械１", "機械２"};
    static constexpr const char* kNumbered[] = {"デフォルト　：0", "女性１　：1", "女性２　：2",
                                                "男性１　：3",     "男性２　：4", "中性　　：5",
                                                "ロボット：6",     "機械１　：7", "機械２　：8"};
    for (int i = 0; i < 9; ++i) {
        box->addItem(
            QString::fromUtf8(entries == VoiceEntries::Numbered ? kNumbered[i] : kPlain[i]));
    }
}

}  // namespace ruv::speech_dialog_widgets
