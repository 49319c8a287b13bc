#include "shell/exp/exp_pages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/exp/exp_texts.h"
#include "core/exp/level_tables.h"
#include "shell/exp/exp_port_adapters.h"
#include "shell/platform/cp932_validator.h"

namespace ruv {

namespace {

namespace tx = exp_texts;

constexpr int kFieldWidth = 89;
constexpr int kFieldHeight = 19;
constexpr int kCaptionHeight = 14;
constexpr int kCaptionGap = 1;
constexpr int kLabelHeight = 14;

QLabel* addLabel(QWidget& page, const char* name, std::string_view cp932Text) {
    auto* label = new QLabel(&page);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(fromCp932(cp932Text));
    label->adjustSize();
    return label;
}

// A right-aligned number that grows to the left from its right edge.
QLabel* addNumber(QWidget& page, const char* name) {
    QLabel* label = addLabel(page, name, "0");
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}

LabeledField addField(QWidget& page, const char* name, std::string_view cp932Caption, bool readOnly,
                      int width = kFieldWidth) {
    LabeledField field;
    field.edit = new QLineEdit(&page);
    field.edit->setObjectName(QString::fromLatin1(name));
    field.edit->setReadOnly(readOnly);
    field.edit->resize(width, kFieldHeight);
    field.edit->setText(QStringLiteral("0"));
    field.caption = new QLabel(&page);
    field.caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Caption"));
    field.caption->setTextFormat(Qt::PlainText);
    field.caption->setText(fromCp932(cp932Caption));
    field.caption->adjustSize();
    field.caption->setBuddy(field.edit);
    return field;
}

QColor toQColor(Colour colour) {
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | colour.rgb));
}

void setTextColour(QLabel& label, Colour colour) {
    const QColor wanted = toQColor(colour);
    if (label.palette().color(QPalette::WindowText) != wanted) {
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, wanted);
        label.setPalette(palette);
    }
}

void setText(QLabel& label, const QString& text) {
    if (label.text() != text) {
        label.setText(text);
    }
}

void setText(QLabel& label, std::string_view cp932) {
    setText(label, fromCp932(cp932));
}

// Keeps the user's cursor where it is while the text stays the same.
void setText(QLineEdit& edit, std::string_view cp932) {
    const QString text = fromCp932(cp932);
    if (edit.text() != text) {
        edit.setText(text);
    }
}

// Grows a label to its text keeping its right edge, as a right-aligned label does.
void fitRightAligned(QLabel& label) {
    const int right = label.x() + label.width();
    const int width = label.sizeHint().width();
    label.setGeometry(right - width, label.y(), width, kLabelHeight);
}

}  // namespace

void LabeledField::place(int left, int top) const {
    edit->move(left, top);
    caption->move(left, top - kCaptionHeight - kCaptionGap);
}

void LabeledField::setShown(bool shown) const {
    edit->setVisible(shown);
    caption->setVisible(shown);
}

ExpPages::ExpPages(QWidget& basicPage, QWidget& extendedPage, QWidget& debugPage,
                   QLabel& syncingLabel)
    : syncing_(syncingLabel) {
    buildBasicPage(basicPage);
    buildExtendedPage(extendedPage);
    buildDebugLabels(debugPage);
    arrange(ExpLayout::Layout01);
}

void ExpPages::buildBasicPage(QWidget& page) {
    gained_ = addField(page, "LabeledEdit09", tx::kGainedCaption, true);
    gainCount_ = addField(page, "LabeledEdit07", tx::kGainCountCaption, true);
    averageGain_ = addField(page, "LabeledEdit08", tx::kAverageGainCaption, true);
    hourlyRate_ = addField(page, "LabeledEdit03", tx::kHourlyRateCaption, true);
    maxHourly_ = addField(page, "LabeledEdit04", tx::kMaxHourlyCaption, true);
    minHourly_ = addField(page, "LabeledEdit05", tx::kMinHourlyCaption, true);
    dayTotal_ = addField(page, "LabeledEdit01", tx::kDayTotalCaption, true);
    dayPerHour_ = addField(page, "LabeledEdit02", tx::kDayPerHourCaption, true);
    dayCount_ = addField(page, "LabeledEdit06", tx::kDayCountCaption, true);

    sinceFirstGain_ = addLabel(page, "Label03", tx::kSinceFirstGain);
    hours_ = addNumber(page, "TimeH01");
    hoursLabel_ = addLabel(page, "Label04", tx::kHoursLabel);
    minutes_ = addNumber(page, "TimeM01");
    minutesLabel_ = addLabel(page, "Label05", tx::kMinutesLabel);
    seconds_ = addNumber(page, "TimeS01");
    secondsLabel_ = addLabel(page, "Label06", tx::kSecondsLabel);
    elapsedLabel_ = addLabel(page, "Label07", tx::kElapsedLabel);
    elapsed_ = addLabel(page, "TimeLabel01", "0");
    elapsed_->hide();
    label01_ = addLabel(page, "Label01", tx::kUpdateIntervalLabel);
    label02_ = addLabel(page, "Label02", tx::kOneSecondLabel);
    syncing_.setTextFormat(Qt::PlainText);
    syncing_.setText(fromCp932(tx::kSyncingNotice));
    syncing_.adjustSize();

    pauseButton_ = new QPushButton(fromCp932(tx::kPauseCaption), &page);
    pauseButton_->setObjectName(QStringLiteral("SpeedButton1"));
    pauseButton_->setCheckable(true);
    pauseButton_->setGeometry(296, 16, 75, 25);
    resetButton_ = new QPushButton(fromCp932(tx::kResetCaption), &page);
    resetButton_->setObjectName(QStringLiteral("Button1"));
    resetButton_->setGeometry(296, 48, 75, 25);
}

void ExpPages::buildExtendedPage(QWidget& page) {
    addLabel(page, "Label08", tx::kExtendedPageTitle)->move(8, 0);

    levelList_ = new QComboBox(&page);
    levelList_->setObjectName(QStringLiteral("LvListBox01"));
    for (int level = 0; level < kLevelCount; ++level) {
        levelList_->addItem(QString::number(level));
    }
    levelList_->setCurrentIndex(0);
    levelList_->setGeometry(8, 28, 56, 21);
    QLabel* levelCaption = addLabel(page, "LvListBox01Caption", tx::kLevelCaption);
    levelCaption->move(8, 28 - kCaptionHeight - kCaptionGap);
    levelCaption->setBuddy(levelList_);

    nextExp_ = addField(page, "NextExpLabeledEdit01", tx::kNextExpCaption, true, 72);
    nextExp_.place(72, 28);
    limitExp_ = addField(page, "LimitExpLabeledEdit01", tx::kLimitExpCaption, true, 72);
    limitExp_.place(152, 28);
    exp_ = addField(page, "ExpLabeledEdit01", tx::kExpCaption, false, 72);
    exp_.place(8, 64);
    correction_ = addField(page, "HoseiLabeledEdit01", tx::kCorrectionCaption, false, 72);
    correction_.place(88, 64);
    accumulated_ = addField(page, "CurrentExpLabeledEdit01", tx::kAccumulatedCaption, true, 72);
    accumulated_.place(168, 64);
    for (QLineEdit* edit : {exp_.edit, correction_.edit}) {
        edit->setValidator(new Cp932Validator(edit));
    }

    notice_ = addLabel(page, "NextLv01", tx::kForecastHeading);
    notice_->move(8, 86);
    nextForecast_ = addLabel(page, "NextLvTimer01", tx::kNextExpInitial);
    nextForecast_->move(8, 100);
    limitForecast_ = addLabel(page, "NextLvTimer02", tx::kLimitExpInitial);
    limitForecast_->move(8, 114);

    layoutList_ = new QComboBox(&page);
    layoutList_->setObjectName(QStringLiteral("LayoutList01"));
    layoutList_->addItem(fromCp932(tx::kLayout01Caption));
    layoutList_->addItem(fromCp932(tx::kLayout02Caption));
    layoutList_->setCurrentIndex(0);
    layoutList_->setGeometry(248, 28, 88, 21);

    manual_ = new QPlainTextEdit(&page);
    manual_->setObjectName(QStringLiteral("ManualMemo01"));
    manual_->setReadOnly(true);
    manual_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList lines;
    for (std::string_view line : tx::kManualMemo) {
        lines.append(fromCp932(line));
    }
    manual_->setPlainText(lines.join(QLatin1Char('\n')));
    manual_->setGeometry(344, 0, 144, 128);
}

void ExpPages::buildDebugLabels(QWidget& page) {
    const std::array<const char*, 3> names{"DeLabel01", "DeLabel02", "DeLabel03"};
    for (std::size_t i = 0; i < lostLabels_.size(); ++i) {
        lostLabels_[i] = addLabel(page, names[i], "0");
        lostLabels_[i]->move(8, 8 + 16 * static_cast<int>(i));
    }
}

const LabeledField* ExpPages::fieldOf(BasicPageControl control) const {
    using C = BasicPageControl;
    switch (control) {
        case C::LabeledEdit09:
            return &gained_;
        case C::LabeledEdit07:
            return &gainCount_;
        case C::LabeledEdit08:
            return &averageGain_;
        case C::LabeledEdit03:
            return &hourlyRate_;
        case C::LabeledEdit04:
            return &maxHourly_;
        case C::LabeledEdit05:
            return &minHourly_;
        case C::LabeledEdit01:
            return &dayTotal_;
        case C::LabeledEdit06:
            return &dayCount_;
        case C::LabeledEdit02:
            return &dayPerHour_;
        default:
            return nullptr;
    }
}

QWidget* ExpPages::basicControl(BasicPageControl control) const {
    using C = BasicPageControl;
    if (const LabeledField* field = fieldOf(control)) {
        return field->edit;
    }
    switch (control) {
        case C::Label03:
            return sinceFirstGain_;
        case C::TimeH01:
            return hours_;
        case C::Label04:
            return hoursLabel_;
        case C::TimeM01:
            return minutes_;
        case C::Label05:
            return minutesLabel_;
        case C::TimeS01:
            return seconds_;
        case C::Label06:
            return secondsLabel_;
        case C::Label07:
            return elapsedLabel_;
        case C::TimeLabel01:
            return elapsed_;
        case C::Label01:
            return label01_;
        case C::Label02:
            return label02_;
        case C::TimeInLabel01:
            return &syncing_;
        default:
            return nullptr;
    }
    return nullptr;
}

void ExpPages::arrange(ExpLayout layout) {
    const QByteArray h = hours_->text().toLatin1();
    const QByteArray m = minutes_->text().toLatin1();
    const QByteArray s = seconds_->text().toLatin1();
    const ElapsedTexts elapsed{{h.constData(), static_cast<std::size_t>(h.size())},
                               {m.constData(), static_cast<std::size_t>(m.size())},
                               {s.constData(), static_cast<std::size_t>(s.size())}};
    for (const ControlPlacement& row : basicPageLayout(layout, elapsed)) {
        if (const LabeledField* field = fieldOf(row.control)) {
            field->place(row.left, row.top);
            field->setShown(row.shown);
            continue;
        }
        QWidget* control = basicControl(row.control);
        control->move(row.left, row.top);
        if (control == hours_ || control == minutes_ || control == seconds_) {
            control->resize(control->sizeHint().width(), kLabelHeight);
        }
    }
}

void ExpPages::show(const ExpStatsView& stats, const LevelForecast& forecast) {
    setText(*gained_.edit, stats.gained);
    setText(*gainCount_.edit, stats.gainCount);
    setText(*averageGain_.edit, stats.averageGain);
    setText(*hourlyRate_.edit, stats.hourlyRate);
    setText(*maxHourly_.edit, stats.maxHourly);
    setText(*minHourly_.edit, stats.minHourly);
    setText(*dayTotal_.edit, stats.dayTotal);
    setText(*dayPerHour_.edit, stats.dayPerHour);
    setText(*dayCount_.edit, stats.dayCount);
    setText(*accumulated_.edit, stats.accumulated);
    setText(*elapsed_, stats.elapsed);
    for (auto [label, text] : {std::pair{hours_, &stats.hours}, std::pair{minutes_, &stats.minutes},
                               std::pair{seconds_, &stats.seconds}}) {
        if (label->text() != fromCp932(*text)) {
            setText(*label, *text);
            fitRightAligned(*label);
        }
    }
    setText(*label01_, stats.label01);
    setTextColour(*label01_, stats.label01Colour);
    label01_->adjustSize();
    setText(*label02_, stats.label02);
    label02_->adjustSize();
    label02_->setVisible(stats.label02Shown);
    syncing_.setVisible(stats.syncingShown);
    {
        const QSignalBlocker quiet(pauseButton_);
        pauseButton_->setChecked(stats.pauseButtonDown);
    }
    pauseButton_->setText(fromCp932(stats.pauseCaption));
    setText(*lostLabels_[0], stats.lostExp);
    setText(*lostLabels_[1], stats.lostCount);
    setText(*lostLabels_[2], stats.lostSeconds);

    {
        const QSignalBlocker quiet(levelList_);
        levelList_->setCurrentIndex(forecast.level().value_or(-1));
    }
    setText(*nextExp_.edit, forecast.nextExpText());
    setText(*limitExp_.edit, forecast.limitExpText());
    setText(*exp_.edit, forecast.expText());
    setText(*correction_.edit, forecast.correctionText());
    setText(*notice_, forecast.notice());
    setTextColour(*notice_, forecast.noticeColour());
    notice_->adjustSize();
    setText(*nextForecast_, forecast.nextForecastText());
    setTextColour(*nextForecast_, forecast.nextForecastColour());
    nextForecast_->adjustSize();
    setText(*limitForecast_, forecast.limitForecastText());
    limitForecast_->adjustSize();
}

}  // namespace ruv
