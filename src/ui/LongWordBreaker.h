#pragma once

#include <QString>

namespace korvel {

// Qt finds where a line ends by looking ahead to the next place where it may
// break, so a word of a million letters costs a million steps on each of its
// lines. This gives a word longer than kLongWord letters a zero-width break
// opportunity every kBreakEvery letters past that, which keeps the layout
// linear; shorter words that exceed the line break anywhere all the same.
// It goes through a paragraph's text run after run, since a word may go on
// from one run into the next.
class LongWordBreaker {
public:
    static constexpr qsizetype kLongWord = 256;
    static constexpr qsizetype kBreakEvery = 4;

    void startParagraph() { length_ = 0; }

    // `text` with the break opportunities its long words need.
    QString apply(const QString& text);

private:
    qsizetype length_ = 0; // letters of the word still open after the last text
};

} // namespace korvel
