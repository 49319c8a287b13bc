#include "shell/app/page_control.h"

#include <QShortcut>

#include "shell/platform/qt_text.h"

namespace ruv {

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    QTabBar::mousePressEvent(event);
    emit pressed();
}

QSize TabStrip::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    const QString widest = tabData(index).toString();
    const int extra =
        fontMetrics().horizontalAdvance(widest) - fontMetrics().horizontalAdvance(tabText(index));
    if (!widest.isEmpty() && extra > 0) {
        size.rwidth() += extra;
    }
    return size;
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent), strip_(new TabStrip(this)) {
    setTabBar(strip_);
    // Ctrl+Tab and Ctrl+PgDn step to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp
    // to the one before, as browsers do, wherever the focus is in the window
    // (or if nothing has it yet, as right after start).
    const auto step = [this](int by) {
        if (count() > 1) {
            setCurrentIndex((currentIndex() + by + count()) % count());
        }
    };
    const auto addStepKey = [this, step](QKeyCombination keys, int by) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [step, by] { step(by); });
    };
    addStepKey(Qt::CTRL | Qt::Key_Tab, 1);
    addStepKey(Qt::CTRL | Qt::Key_PageDown, 1);
    // Shift+Tab comes as Backtab from most keyboards, as Shift and Tab from some.
    addStepKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
    addStepKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
    addStepKey(Qt::CTRL | Qt::Key_PageUp, -1);
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (const std::optional<Tab> tab = currentTab()) {
            emit currentTabChanged(*tab);
        }
    });
}

void PageControl::addPage(Tab tab, QWidget* page, const QString& caption,
                          TabVisibility visibility) {
    Page& entry = at(tab);
    entry.widget = page;
    entry.caption = caption;
    // Parented here even while out of the strip, so the page lives as long as the control.
    page->setParent(this);
    page->hide();
    setPageShown(tab, visibility);
}

void PageControl::setPageShown(Tab tab, TabVisibility visibility) {
    Page& entry = at(tab);
    const bool shown = visibility == TabVisibility::Shown;
    if (entry.widget == nullptr || entry.shown == shown) {
        return;
    }
    if (shown) {
        int place = 0;
        for (int before = 0; before < pageIndex(tab); ++before) {
            place += pages_[static_cast<std::size_t>(before)].shown ? 1 : 0;
        }
        entry.shown = true;
        insertTab(place, entry.widget, entry.caption);
        showCaption(tab, place);
    } else {
        entry.shown = false;
        removeTab(indexOf(entry.widget));
        entry.widget->setParent(this);
        entry.widget->hide();
    }
}

bool PageControl::pageShown(Tab tab) const {
    return at(tab).shown;
}

QWidget* PageControl::page(Tab tab) const {
    return at(tab).widget;
}

void PageControl::setCaption(Tab tab, const QString& caption) {
    Page& entry = at(tab);
    entry.caption = caption;
    if (entry.shown) {
        showCaption(tab, indexOf(entry.widget));
    }
}

void PageControl::showCaption(Tab tab, int index) {
    const QString& caption = at(tab).caption;
    // Captions are the core's, so always in CP932.
    strip_->setTabData(index, fromCp932(widthCaption(tab, toCp932(caption).value_or(""))));
    // Set after the data: setting the text lays the strip out again.
    setTabText(index, caption);
}

QString PageControl::caption(Tab tab) const {
    return at(tab).caption;
}

std::optional<Tab> PageControl::currentTab() const {
    const QWidget* current = currentWidget();
    for (int i = 0; current != nullptr && i < kTabCount; ++i) {
        if (pages_[static_cast<std::size_t>(i)].widget == current) {
            return static_cast<Tab>(i);
        }
    }
    return std::nullopt;
}

void PageControl::setCurrentTab(Tab tab) {
    if (pageShown(tab)) {
        setCurrentWidget(at(tab).widget);
    }
}

}  // namespace ruv
