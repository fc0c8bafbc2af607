#include "ui/MaskedEdit.h"

#include "settings/CodePage.h"
#include "settings/CodePageText.h"
#include "settings/FieldRule.h"
#include "settings/KeyFilters.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QValidator>

namespace korvel {
namespace {

bool IsTypedText(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return false;
        }
    }
    return true;
}

// The last line of defence for edits that do not come through the field's own
// key handling (undo, cut, input methods): a masked field keeps exactly one
// fitting character per position, an unmasked one its length limit, and both
// only characters of the tracker's code page. The key filters are not checked
// here: a text the program put in (from a file, say) may hold characters that
// typing could not, and typing next to them must still work.
class FieldValidator : public QValidator {
public:
    FieldValidator(const FieldTraits& traits, QObject* parent)
        : QValidator(parent), traits_(traits) {}

    State validate(QString& input, int&) const override {
        const auto bytes = ToCodePage(input);
        return bytes && FieldRule(traits_).check(*bytes) ? Acceptable : Invalid;
    }

private:
    FieldTraits traits_;
};

} // namespace

MaskedEdit::MaskedEdit(const FieldTraits& traits, QWidget* parent)
    : QLineEdit(parent), traits_(traits) {
    setObjectName(
        QString::fromUtf8(traits.name.data(), static_cast<qsizetype>(traits.name.size())));
    setMaxLength(traits.maxLength);
    setValidator(new FieldValidator(traits, this));
    setAcceptDrops(false);
    if (traits.isMasked()) {
        positions_ = QString(static_cast<qsizetype>(traits.mask.size()), QChar(FieldRule::kPrompt));
        // Edits that Qt makes itself (undo, redo) keep the mask's shape through
        // the validator; take them over as the field's positions.
        connect(this, &QLineEdit::textEdited, this, [this](const QString& shown) {
            if (hasFocus() && shown.size() == positions_.size()) {
                positions_ = shown;
            }
        });
        refreshDisplay();
    }
}

QString MaskedEdit::fieldText() const {
    return traits_.isMasked() ? positions_ : QLineEdit::text();
}

std::string MaskedEdit::codePageText() const {
    return ToCodePage(fieldText()).value_or(std::string());
}

Result<void, FieldError> MaskedEdit::setFieldText(const QString& text) {
    const auto bytes = ToCodePage(text);
    if (!bytes) {
        return Failure{
            FieldError{traits_.field,
                       "'" + text.toStdString() + "' holds a character the tracker cannot show"}};
    }
    return setCodePageText(*bytes);
}

Result<void, FieldError> MaskedEdit::setCodePageText(const std::string& bytes) {
    if (auto checked = FieldRule(traits_).check(bytes); !checked) {
        return checked;
    }
    if (traits_.isMasked()) {
        positions_ = FromCodePage(bytes);
        refreshDisplay();
    } else {
        QLineEdit::setText(FromCodePage(bytes));
    }
    return {};
}

bool MaskedEdit::typeCharacter(char32_t character) {
    return traits_.isMasked() ? typeIntoMask(character) : typeIntoLine(character);
}

void MaskedEdit::pasteFiltered(const QString& text) {
    for (char32_t character : text.toUcs4()) {
        if (character >= 0x20 && character != 0x7F) {
            typeCharacter(character);
        }
    }
}

bool MaskedEdit::typeIntoMask(char32_t character) {
    const auto byte = UnicodeToCodePage(character);
    if (!byte) {
        return false;
    }
    std::uint16_t code = *byte;
    ApplyKeyFilter(traits_.keyFilter, code);
    const int position = hasSelectedText() ? selectionStart() : cursorPosition();
    if (code == 0 || position >= positions_.size() ||
        !FieldRule(traits_).positionTakes(static_cast<std::size_t>(position),
                                          static_cast<std::uint8_t>(code))) {
        return false;
    }
    if (hasSelectedText()) {
        clearMaskPositions(selectionStart(), selectionEnd());
    }
    positions_.replace(position, 1, FromCodePage(std::string(1, static_cast<char>(code))));
    showPositions(position + 1);
    return true;
}

bool MaskedEdit::typeIntoLine(char32_t character) {
    const auto byte = UnicodeToCodePage(character);
    if (!byte) {
        return false;
    }
    std::uint16_t code = *byte;
    ApplyKeyFilter(traits_.keyFilter, code);
    if (code == 0 || code > 0xFF) {
        return false;
    }
    if (!hasSelectedText() && QLineEdit::text().size() >= maxLength()) {
        return false;
    }
    const QString before = QLineEdit::text();
    insert(FromCodePage(std::string(1, static_cast<char>(code))));
    return QLineEdit::text() != before;
}

void MaskedEdit::clearMaskPositions(int from, int to) {
    for (int i = std::max(0, from); i < std::min(to, static_cast<int>(positions_.size())); ++i) {
        positions_[i] = QChar(FieldRule::kPrompt);
    }
}

void MaskedEdit::eraseInMask(bool backwards) {
    int position = cursorPosition();
    if (hasSelectedText()) {
        position = selectionStart();
        clearMaskPositions(selectionStart(), selectionEnd());
    } else if (backwards) {
        if (position == 0) {
            return;
        }
        --position;
        clearMaskPositions(position, position + 1);
    } else {
        clearMaskPositions(position, position + 1);
    }
    showPositions(position);
}

void MaskedEdit::showPositions(int cursor) {
    if (!hasFocus() && traits_.hidesLeadingZeros) {
        showValue();
        return;
    }
    QLineEdit::setText(positions_);
    setCursorPosition(std::clamp(cursor, 0, static_cast<int>(positions_.size())));
}

void MaskedEdit::showValue() {
    const bool empty = positions_.count(QChar(FieldRule::kPrompt)) == positions_.size();
    if (!traits_.hidesLeadingZeros) {
        QLineEdit::setText(positions_);
    } else if (empty) {
        QLineEdit::setText(QString());
    } else {
        QLineEdit::setText(QString::number(NumericValue(codePageText())));
    }
}

void MaskedEdit::refreshDisplay() {
    if (hasFocus()) {
        showPositions(cursorPosition());
    } else {
        showValue();
    }
}

void MaskedEdit::selectWholeText() {
    // Caret to the start, then everything selected: the next key replaces the value.
    setCursorPosition(0);
    setSelection(0, static_cast<int>(QLineEdit::text().size()));
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (IsTypedText(typed)) {
        for (char32_t character : typed.toUcs4()) {
            typeCharacter(character);
        }
        event->accept();
        return;
    }
    if (traits_.isMasked() && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        eraseInMask(event->key() == Qt::Key_Backspace);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void MaskedEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason) {
        return;
    }
    // Qt tells a screen reader of the new focus only after this handler has
    // run, and a caret that moves before that reads to it as a silent change
    // of focus. So the field shows its positions and places its caret one
    // event later, after the notification (and after a click has put the
    // caret where the mouse was).
    const Qt::FocusReason reason = event->reason();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (hasFocus()) {
                arriveWithFocus(reason);
            }
        },
        Qt::QueuedConnection);
}

void MaskedEdit::arriveWithFocus(Qt::FocusReason reason) {
    if (traits_.isMasked()) {
        const int caret = cursorPosition();
        QLineEdit::setText(positions_);
        setCursorPosition(std::min(caret, static_cast<int>(positions_.size())));
    }
    if (traits_.selectOnFocus) {
        selectWholeText();
    } else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
        // Qt selects everything on Tab; these fields keep a plain caret.
        deselect();
        setCursorPosition(0);
    }
}

void MaskedEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && traits_.isMasked()) {
        showValue();
    }
}

QMenu* MaskedEdit::createFieldMenu() {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this,
                [this] { pasteFiltered(QGuiApplication::clipboard()->text()); });
    }
    emit contextMenuAboutToShow(menu);
    return menu;
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
    createFieldMenu()->popup(event->globalPos());
}

void MaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        pasteFiltered(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace korvel
