#include "shell/views/text_field_accessible.h"

#include <QAbstractSpinBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QVariant>

#include <algorithm>

#include "shell/views/text_segments.h"

namespace ruv {
namespace {

// Qt's name for the line edit inside a spin box, which the spin box's
// interface speaks for.
constexpr QLatin1StringView kSpinBoxFieldName("qt_spinbox_lineedit");

QString segmentOf(const QString& text, int offset, QAccessible::TextBoundaryType boundary,
                  TextSide side, int* startOffset, int* endOffset) {
    const TextRange range = segmentNear(text, offset, boundary, side);
    *startOffset = range.start;
    *endOffset = range.end;
    return range.start < 0 ? QString() : text.mid(range.start, range.end - range.start);
}

QAccessibleInterface* createForTextField(const QString& className, QObject* object) {
    // Only for the object's own class, so Qt's interfaces of other classes stay.
    if (object == nullptr || className != QLatin1String(object->metaObject()->className())) {
        return nullptr;
    }
    if (auto* spinBox = qobject_cast<QAbstractSpinBox*>(object)) {
        return new SpinBoxAccessible(spinBox);
    }
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr || edit->objectName() == kSpinBoxFieldName) {
        return nullptr;
    }
    return new LineEditAccessible(edit);
}

}  // namespace

LineEditAccessible::LineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* LineEditAccessible::edit() const {
    return static_cast<QLineEdit*>(widget());
}

QString LineEditAccessible::readableText() const {
    return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : QString();
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LineEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = edit()->isReadOnly();
    state.editable = !edit()->isReadOnly();
    state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    state.selected = edit()->hasSelectedText();
    return state;
}

QString LineEditAccessible::text(QAccessible::Text type) const {
    QString text;
    if (type == QAccessible::Value) {
        text = edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText();
    }
    if (text.isEmpty()) {
        text = QAccessibleWidget::text(type);
    }
    if (text.isEmpty() && type == QAccessible::Description) {
        text = edit()->placeholderText();
    }
    return text;
}

void LineEditAccessible::setText(QAccessible::Text type, const QString& text) {
    if (type != QAccessible::Value) {
        QAccessibleWidget::setText(type, text);
        return;
    }
    replaceText(0, characterCount(), text);
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText()) {
        return;
    }
    *startOffset = static_cast<int>(edit()->selectionStart());
    *endOffset = static_cast<int>(edit()->selectionEnd());
}

int LineEditAccessible::selectionCount() const {
    return edit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        edit()->deselect();
    }
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        edit()->setSelection(startOffset, endOffset - startOffset);
    }
}

int LineEditAccessible::cursorPosition() const {
    return edit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position) {
    edit()->setCursorPosition(position);
}

int LineEditAccessible::characterCount() const {
    return static_cast<int>(edit()->text().size());
}

QString LineEditAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) {
        return {};
    }
    return readableText().mid(startOffset, endOffset - startOffset);
}

QString LineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    if (offset == -2) {
        offset = cursorPosition();
    }
    return segmentOf(readableText(), offset, boundaryType, TextSide::Before, startOffset,
                     endOffset);
}

QString LineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    if (offset == -2) {
        offset = cursorPosition();
    }
    return segmentOf(readableText(), offset, boundaryType, TextSide::After, startOffset, endOffset);
}

QString LineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    if (offset == -2) {
        offset = cursorPosition();
    }
    return segmentOf(readableText(), offset, boundaryType, TextSide::At, startOffset, endOffset);
}

// Measured from the caret, whose place the line edit tells (margins and its
// scrolling included).
QRect LineEditAccessible::characterRect(int offset) const {
    const QString text = readableText();
    if (offset < 0 || offset >= text.size()) {
        return {};
    }
    const QFontMetrics metrics(edit()->font());
    const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.left() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
    const QRect local(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                      caret.height());
    return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const {
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex) {
    edit()->setCursorPosition(endIndex);
    edit()->setCursorPosition(startIndex);
}

QString LineEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;  // a line edit's text has no attributes
    return {};
}

// Through the edit's own commands, so its validator has its say.
void LineEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void LineEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    const int length = characterCount();
    const int from = std::clamp(std::min(startOffset, endOffset), 0, length);
    const int to = std::clamp(std::max(startOffset, endOffset), 0, length);
    edit()->setSelection(from, to - from);
    if (text.isEmpty()) {
        edit()->del();
    } else {
        edit()->insert(text);
    }
}

SpinBoxAccessible::SpinBoxAccessible(QAbstractSpinBox* spinBox)
    : QAccessibleWidget(spinBox, QAccessible::SpinBox) {}

SpinBoxAccessible::~SpinBoxAccessible() = default;

QAbstractSpinBox* SpinBoxAccessible::spinBox() const {
    return static_cast<QAbstractSpinBox*>(widget());
}

LineEditAccessible& SpinBoxAccessible::field() const {
    if (!field_) {
        field_ = std::make_unique<LineEditAccessible>(spinBox()->findChild<QLineEdit*>(
            QString(kSpinBoxFieldName), Qt::FindDirectChildrenOnly));
    }
    return *field_;
}

void* SpinBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString SpinBoxAccessible::text(QAccessible::Text type) const {
    return type == QAccessible::Value ? spinBox()->text() : QAccessibleWidget::text(type);
}

QVariant SpinBoxAccessible::currentValue() const {
    return spinBox()->property("value");
}

void SpinBoxAccessible::setCurrentValue(const QVariant& value) {
    spinBox()->setProperty("value", value);
}

QVariant SpinBoxAccessible::maximumValue() const {
    return spinBox()->property("maximum");
}

QVariant SpinBoxAccessible::minimumValue() const {
    return spinBox()->property("minimum");
}

QVariant SpinBoxAccessible::minimumStepSize() const {
    return spinBox()->property("singleStep");
}

void SpinBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    field().selection(selectionIndex, startOffset, endOffset);
}

int SpinBoxAccessible::selectionCount() const {
    return field().selectionCount();
}

void SpinBoxAccessible::addSelection(int startOffset, int endOffset) {
    field().addSelection(startOffset, endOffset);
}

void SpinBoxAccessible::removeSelection(int selectionIndex) {
    field().removeSelection(selectionIndex);
}

void SpinBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    field().setSelection(selectionIndex, startOffset, endOffset);
}

int SpinBoxAccessible::cursorPosition() const {
    return field().cursorPosition();
}

void SpinBoxAccessible::setCursorPosition(int position) {
    field().setCursorPosition(position);
}

QString SpinBoxAccessible::text(int startOffset, int endOffset) const {
    return field().text(startOffset, endOffset);
}

QString SpinBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return field().textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString SpinBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
    return field().textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString SpinBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const {
    return field().textAtOffset(offset, boundaryType, startOffset, endOffset);
}

int SpinBoxAccessible::characterCount() const {
    return field().characterCount();
}

QRect SpinBoxAccessible::characterRect(int offset) const {
    return field().characterRect(offset);
}

int SpinBoxAccessible::offsetAtPoint(const QPoint& point) const {
    return field().offsetAtPoint(point);
}

void SpinBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
    field().scrollToSubstring(startIndex, endIndex);
}

QString SpinBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    return field().attributes(offset, startOffset, endOffset);
}

void SpinBoxAccessible::deleteText(int startOffset, int endOffset) {
    field().deleteText(startOffset, endOffset);
}

void SpinBoxAccessible::insertText(int offset, const QString& text) {
    field().insertText(offset, text);
}

void SpinBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    field().replaceText(startOffset, endOffset, text);
}

void installTextFieldAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&createForTextField);
        return true;
    }();
    (void)installed;
}

}  // namespace ruv
