#include "ui/MaskedEdit.h"

#include "settings/CodePage.h"
#include "settings/CodePageText.h"
#include "settings/FieldRule.h"
#include "settings/KeyFilters.h"
#include "ui/AccessibleFactory.h"
#include "ui/MaskedEditAccessible.h"
#include "ui/QuietForScreenReaders.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
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

// The standard menu's Paste. Newer Qt names it "edit-paste"; Qt 6.4 does not,
// and there it is known by its text, which Qt builds from QLineEdit's own
// translation of "&Paste" followed by a tab and the shortcut.
QAction* PasteActionOf(const QMenu* menu) {
    if (auto* named = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        return named;
    }
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text() == paste || action->text().startsWith(paste + QLatin1Char('\t'))) {
            return action;
        }
    }
    return nullptr;
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

QWidget* MaskedEdit::withAccessibleFactory(QWidget* parent) {
    InstallAccessibleFactory<MaskedEdit, MaskedEditAccessible>();
    return parent;
}

// The factory goes in before the line edit is built: setting the length limit
// and the validator already tells a screen reader of the text, and the
// interface Qt makes for that stays the field's for good.
MaskedEdit::MaskedEdit(const FieldTraits& traits, QWidget* parent)
    : QLineEdit(withAccessibleFactory(parent)), traits_(traits) {
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
    // As Home then Shift+End leave it: everything selected, the caret at the
    // end; the next key replaces the value.
    const int length = static_cast<int>(QLineEdit::text().size());
    if (selectionStart() != 0 || selectedText().size() != length || cursorPosition() != length) {
        setSelection(0, length);
    }
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        // The other key for the context menu, opened as the Menu key opens it,
        // so that whoever adds to or replaces the menu sees one kind of event.
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, cursorRect().bottomLeft(),
                                    mapToGlobal(cursorRect().bottomLeft()));
        QCoreApplication::sendEvent(this, &menuEvent);
        event->accept();
        return;
    }
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
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason) {
        // Back from the field's menu. Qt tells a screen reader nothing of it,
        // and the reader would stay in the closed menu.
        QLineEdit::focusInEvent(event);
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
        return;
    }
    // Qt tells a screen reader of the new focus once this handler has run; by
    // then the field shows its whole text, selected or with the caret at the
    // start, and the reader hears nothing before that.
    {
        const QuietForScreenReaders quiet(this);
        QLineEdit::focusInEvent(event);
        if (traits_.isMasked()) {
            showPositions(cursorPosition());
        }
        if (reason != Qt::MouseFocusReason) {
            settleSelection(reason);
            return;
        }
    }
    // A click puts the caret where the mouse was after this handler, so the
    // selection comes one event later; a menu opened by that click settles it
    // first (Cut and Copy then see the selection).
    selectionPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (selectionPending_ && hasFocus()) {
                settleSelection(reason);
            }
        },
        Qt::QueuedConnection);
}

void MaskedEdit::settleSelection(Qt::FocusReason reason) {
    selectionPending_ = false;
    if (traits_.selectOnFocus) {
        selectWholeText();
    } else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
        // Qt selects everything on Tab; these fields keep a plain caret.
        deselect();
        setCursorPosition(0);
    }
}

void MaskedEdit::focusOutEvent(QFocusEvent* event) {
    if (event->reason() == Qt::PopupFocusReason) {
        QLineEdit::focusOutEvent(event);
        return;
    }
    // The selection going and the leading zeros hiding are no news to a
    // screen reader, which is already on the next control.
    selectionPending_ = false;
    const QuietForScreenReaders quiet(this);
    QLineEdit::focusOutEvent(event);
    if (traits_.isMasked()) {
        showValue();
    }
}

QMenu* MaskedEdit::createFieldMenu() {
    // A right-click that has just brought the focus: the selection the focus
    // makes comes before the menu's Cut and Copy look at it.
    if (selectionPending_ && hasFocus()) {
        settleSelection(Qt::MouseFocusReason);
    }
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = PasteActionOf(menu)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this,
                [this] { pasteFiltered(QGuiApplication::clipboard()->text()); });
    }
    emit contextMenuAboutToShow(menu);
    return menu;
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
    OpenFieldMenu(createFieldMenu(), *event);
}

void OpenFieldMenu(QMenu* menu, const QContextMenuEvent& event) {
    menu->popup(event.globalPos());
    if (event.reason() == QContextMenuEvent::Keyboard) {
        // As on every desktop, a menu opened from the keyboard puts its first
        // entry under the keys, and a screen reader says it with the menu.
        const bool disabledCanBeCurrent =
            menu->style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, menu);
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && (action->isEnabled() || disabledCanBeCurrent)) {
                menu->setActiveAction(action);
                break;
            }
        }
    }
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
