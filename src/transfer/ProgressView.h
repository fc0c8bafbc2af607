#pragma once

#include <string>

namespace korvel {

// What a transfer needs of the result dialog: its label's text, its OK button's
// visibility and showing it non-modal. The transfer writes every text the
// dialog shows; the dialog has no logic of its own.
class ProgressView {
public:
    virtual ~ProgressView() = default;

    // The label's text (ASCII; lines end with CR LF).
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void setOkVisible(bool visible) = 0;
    // Shows the dialog without making it modal; a visible dialog stays visible.
    virtual void showDialog() = 0;
};

} // namespace korvel
