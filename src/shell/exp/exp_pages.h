#pragma once
// The controls of the 経験値情報 tab: the 基本情報 page with the rate figures,
// the 拡張情報 page with the level forecast, and the lost-count labels of the
// hidden デバッグ tab. They only show what ExpStats and LevelForecast hold.

#include <array>

#include "core/exp/basic_page_layout.h"
#include "core/exp/exp_stats.h"
#include "core/exp/level_forecast.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ruv {

// A TLabeledEdit: a one-line field with its caption above it.
struct LabeledField {
    QLabel* caption = nullptr;
    QLineEdit* edit = nullptr;
    // Puts the field's top-left corner at (left, top); the caption sits above.
    void place(int left, int top) const;
    void setShown(bool shown) const;
};

class ExpPages {
  public:
    // syncingLabel is the window's TimeInLabel01, already on the basic page.
    ExpPages(QWidget& basicPage, QWidget& extendedPage, QWidget& debugPage, QLabel& syncingLabel);

    // Every figure, caption and colour from the current state.
    void show(const ExpStatsView& stats, const LevelForecast& forecast);
    // ApplyLayout: places the basic page's controls.
    void arrange(ExpLayout layout);

    QPushButton* pauseButton() const { return pauseButton_; }       // SpeedButton1
    QPushButton* resetButton() const { return resetButton_; }       // Button1
    QComboBox* levelList() const { return levelList_; }             // LvListBox01
    QComboBox* layoutList() const { return layoutList_; }           // LayoutList01
    QLineEdit* expEdit() const { return exp_.edit; }                // ExpLabeledEdit01
    QLineEdit* correctionEdit() const { return correction_.edit; }  // HoseiLabeledEdit01

  private:
    void buildBasicPage(QWidget& page);
    void buildExtendedPage(QWidget& page);
    void buildDebugLabels(QWidget& page);
    // The labeled field a control names; null for the plain labels.
    const LabeledField* fieldOf(BasicPageControl control) const;
    QWidget* basicControl(BasicPageControl control) const;

    // Basic page.
    LabeledField gained_, gainCount_, averageGain_, hourlyRate_, maxHourly_, minHourly_;
    LabeledField dayTotal_, dayPerHour_, dayCount_;
    QLabel* sinceFirstGain_ = nullptr;  // Label03
    QLabel* hoursLabel_ = nullptr;      // Label04
    QLabel* minutesLabel_ = nullptr;    // Label05
    QLabel* secondsLabel_ = nullptr;    // Label06
    QLabel* elapsedLabel_ = nullptr;    // Label07
    QLabel* hours_ = nullptr;           // TimeH01
    QLabel* minutes_ = nullptr;         // TimeM01
    QLabel* seconds_ = nullptr;         // TimeS01
    QLabel* elapsed_ = nullptr;         // TimeLabel01, never visible
    QLabel* label01_ = nullptr;
    QLabel* label02_ = nullptr;
    QLabel& syncing_;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;

    // Extended page.
    QComboBox* levelList_ = nullptr;
    LabeledField nextExp_, limitExp_, exp_, correction_, accumulated_;
    QLabel* notice_ = nullptr;          // NextLv01
    QLabel* nextForecast_ = nullptr;    // NextLvTimer01
    QLabel* limitForecast_ = nullptr;   // NextLvTimer02
    QPlainTextEdit* manual_ = nullptr;  // ManualMemo01
    QComboBox* layoutList_ = nullptr;

    // デバッグ tab.
    std::array<QLabel*, 3> lostLabels_{};  // DeLabel01 to DeLabel03
};

}  // namespace ruv
