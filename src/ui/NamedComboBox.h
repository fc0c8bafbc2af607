#pragma once

#include <QComboBox>

namespace korvel {

// A list that a screen reader names by its accessible name, as every other
// control: Qt's own interface on Linux gives a list its current entry as its
// name, so the reader would say "Off Duty" where the caption belongs. The
// current entry stays the list's value; the popup list and the text field stay
// its children, and its actions still open the popup.
class NamedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit NamedComboBox(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace korvel
