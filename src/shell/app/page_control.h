#pragma once
// The main window's tab control. Every page keeps its place in the tab order;
// a hidden page is taken out of the strip and put back at its place when shown
// again (Qt's own per-tab visibility leaves the scrolled strip unusable).
// Storage pages are kept here but never enter the strip.

#include <QTabBar>
#include <QTabWidget>

#include <array>
#include <optional>

#include "core/views/tab_rules.h"

namespace ruv {

class TabStrip : public QTabBar {
    Q_OBJECT
  public:
    explicit TabStrip(QWidget* parent = nullptr);

  signals:
    // Any mouse button, after the press has been handled.
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    // As wide as the tab's data (its widest caption) reads, when that is wider.
    QSize tabSizeHint(int index) const override;
};

class PageControl : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageControl(QWidget* parent = nullptr);
    TabStrip* strip() const { return strip_; }

    // Takes the page; pages are added in tab order.
    void addPage(Tab tab, QWidget* page, const QString& caption, TabVisibility visibility);
    void setPageShown(Tab tab, TabVisibility visibility);
    bool pageShown(Tab tab) const;
    QWidget* page(Tab tab) const;
    // The caption is kept while the page is hidden.
    void setCaption(Tab tab, const QString& caption);
    QString caption(Tab tab) const;
    // Empty only while the strip is empty.
    std::optional<Tab> currentTab() const;
    // A hidden page cannot become current.
    void setCurrentTab(Tab tab);

  signals:
    // Whatever made it current: a press, the keyboard or the program.
    void currentTabChanged(Tab tab);

  private:
    // The caption in the strip, with the text whose width the tab keeps.
    void showCaption(Tab tab, int index);

    struct Page {
        QWidget* widget = nullptr;
        QString caption;
        bool shown = false;
    };
    Page& at(Tab tab) { return pages_[static_cast<std::size_t>(pageIndex(tab))]; }
    const Page& at(Tab tab) const { return pages_[static_cast<std::size_t>(pageIndex(tab))]; }

    TabStrip* strip_;
    std::array<Page, kTabCount> pages_{};
};

}  // namespace ruv
