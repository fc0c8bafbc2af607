#include "ui/MaskedEditAccessible.h"

#include <QLineEdit>
#include <QValidator>

namespace korvel {

MaskedEditAccessible::MaskedEditAccessible(QWidget* field)
    : QAccessibleWidget(field, QAccessible::EditableText) {}

QLineEdit* MaskedEditAccessible::field() const {
    return static_cast<QLineEdit*>(widget());
}

void* MaskedEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString MaskedEditAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        return field()->displayText();
    }
    return QAccessibleWidget::text(kind);
}

void MaskedEditAccessible::setText(QAccessible::Text kind, const QString& text) {
    if (kind != QAccessible::Value) {
        QAccessibleWidget::setText(kind, text);
        return;
    }
    // As typed: through the field's own checks.
    QString checked = text;
    int position = 0;
    if (!field()->validator() ||
        field()->validator()->validate(checked, position) == QValidator::Acceptable) {
        field()->setText(checked);
    }
}

QAccessible::State MaskedEditAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !field()->isReadOnly();
    state.readOnly = field()->isReadOnly();
    state.selectableText = true;
    return state;
}

void MaskedEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !field()->hasSelectedText()) {
        return;
    }
    *startOffset = field()->selectionStart();
    *endOffset = *startOffset + static_cast<int>(field()->selectedText().size());
}

int MaskedEditAccessible::selectionCount() const {
    return field()->hasSelectedText() ? 1 : 0;
}

void MaskedEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void MaskedEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        field()->deselect();
    }
}

void MaskedEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) {
        field()->setSelection(startOffset, endOffset - startOffset);
    }
}

int MaskedEditAccessible::cursorPosition() const {
    return field()->cursorPosition();
}

void MaskedEditAccessible::setCursorPosition(int position) {
    field()->setCursorPosition(position);
}

QString MaskedEditAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) {
        return QString();
    }
    return field()->displayText().mid(startOffset, endOffset - startOffset);
}

int MaskedEditAccessible::characterCount() const {
    return static_cast<int>(field()->displayText().size());
}

QRect MaskedEditAccessible::characterRect(int offset) const {
    const QString shown = field()->displayText();
    const QFontMetrics metrics = field()->fontMetrics();
    const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.left() - metrics.horizontalAdvance(shown.left(field()->cursorPosition())) +
                  metrics.horizontalAdvance(shown.left(offset));
    const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 0;
    const QRect local(x, caret.top(), width, caret.height());
    return QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int MaskedEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = field()->mapFromGlobal(point);
    const int count = characterCount();
    for (int offset = 0; offset < count; ++offset) {
        const QRect rect = characterRect(offset);
        if (field()->mapFromGlobal(rect.topLeft()).x() + rect.width() > local.x()) {
            return offset;
        }
    }
    return count;
}

void MaskedEditAccessible::scrollToSubstring(int startIndex, int) {
    field()->setCursorPosition(startIndex);
}

QString MaskedEditAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    const int count = characterCount();
    if (offset < 0 || offset > count) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = count;
    return QString();
}

void MaskedEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void MaskedEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void MaskedEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    QString changed = field()->displayText();
    changed.replace(startOffset, endOffset - startOffset, text);
    setText(QAccessible::Value, changed);
}

} // namespace korvel
