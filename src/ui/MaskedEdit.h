#pragma once

#include "settings/FieldError.h"
#include "settings/FieldTraits.h"
#include "settings/Result.h"

#include <QLineEdit>
#include <optional>
#include <string>

class QContextMenuEvent;
class QMenu;

namespace korvel {

// The edit field of every text setting of the main window, driven by the field
// table and its rules so that the window and the core can never disagree.
//
// A masked field ("9", "#", "&") holds one character per mask position, with
// "_" in the empty ones; typing overwrites position by position and a key that
// does not fit the position under the caret is refused. An unmasked field is a
// plain line of at most its length limit. Typed and pasted characters go
// through the field's key filter in the tracker's code page, one by one, so a
// paste can put in nothing that typing could not. A numeric field without the
// focus shows its value without leading zeros; with the focus, every position.
class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(const FieldTraits& traits, QWidget* parent = nullptr);

    const FieldTraits& traits() const { return traits_; }

    // The field's text as other code reads it: "_" in the empty positions of a
    // masked field ("12_"), whatever the field shows at the moment.
    QString fieldText() const;
    // What the field shows is QLineEdit::text(); asking a MaskedEdit for its
    // text must say which of the two it means.
    QString text() const = delete;
    // The same in the tracker's code page.
    std::string codePageText() const;

    // Puts a text in from the program (defaults, written-back values, a file).
    // A text that does not fit is refused whole and the field keeps its text.
    Result<void, FieldError> setFieldText(const QString& text);
    Result<void, FieldError> setCodePageText(const std::string& bytes);

    // Types one character as the keyboard would: through the key filter and the
    // mask or length limit. Returns whether the field took it.
    bool typeCharacter(char32_t character);

    // Pastes `text` character by character, as if each were typed.
    void pasteFiltered(const QString& text);

    // The field's own context menu (Undo, Cut, Copy, Paste...), its Paste going
    // through the field's filter, with the entries that listeners of
    // contextMenuAboutToShow add. The menu deletes itself when it closes.
    QMenu* createFieldMenu();

signals:
    // The field's context menu is about to open, by the mouse, the Menu key,
    // Shift+F10 or createFieldMenu: a listener may add entries of its own to it.
    void contextMenuAboutToShow(QMenu* menu);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Installs the factory of the field's accessible interface; returns `parent`.
    static QWidget* withAccessibleFactory(QWidget* parent);

    bool typeIntoMask(char32_t character);
    bool typeIntoLine(char32_t character);
    void clearMaskPositions(int from, int to);
    void eraseInMask(bool backwards);
    void showPositions(int cursor);
    void showValue();
    void refreshDisplay();
    void selectWholeText();
    void settleSelection(Qt::FocusReason reason);

    FieldTraits traits_;
    QString positions_;             // masked fields: one character per mask position
    bool selectionPending_ = false; // a click brought the focus; the selection follows
};

// Pops up a field's menu where `event` asks; opened from the keyboard (the
// Menu key, Shift+F10), its first entry takes the focus.
void OpenFieldMenu(QMenu* menu, const QContextMenuEvent& event);

} // namespace korvel
