#pragma once

#include "settings/Result.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

// One value of a settings file, with where it stood.
struct FileValue {
    std::string text; // for a quoted value, the text between the quotes
    bool quoted = false;
    std::size_t line = 0;     // 1-based line of the value's first character
    std::size_t position = 0; // 1-based position of the value within its line
    // Nothing followed the value, neither a comma nor a line end: the file ends
    // with it, as a file cut short does (Save ends its last line with CR LF).
    bool endsFile = false;
};

// Why the next value could not be read.
struct ReadFailure {
    enum class Kind { EndOfFile, UnterminatedQuote } kind;
    std::size_t line = 0; // of the unterminated value
    std::size_t position = 0;
};

// Reads the values of a settings file one after another. The file is a list of
// lines of comma-separated values; only the order of the values counts, not
// which line holds them.
//
// - A comma or a line end ends a value. CR LF, a lone CR and a lone LF each end
//   a line. A line with nothing but spaces holds no value and is skipped; a
//   comma before a line end, before another comma or at the end of the file
//   leaves an empty value.
// - Spaces before a value are skipped.
// - A value that begins with a double quote is a text up to the double quote
//   that closes it. Inside it, two double quotes in a row stand for one (the
//   way Save writes a double quote of a text). A lone double quote closes the
//   text only when what follows it, after optional spaces, is a comma, a line
//   end or the end of the file; any other one belongs to the text, so files
//   written before quotes were doubled ("say "hi" now") read as they always
//   did. Commas and line ends inside the text belong to it. A text that is
//   never closed fails with ReadFailure::Kind::UnterminatedQuote.
//   QuoteRule::AsWritten reads every double quote as a lone one: the rule of
//   files written before quotes were doubled, for a text that ends with one.
// - Any other value runs up to the next comma, line end or the end of the file,
//   spaces after it included.
//
// Takes arbitrary bytes; each byte is looked at a bounded number of times.
enum class QuoteRule { Doubled, AsWritten };

class SettingsFileReader {
public:
    explicit SettingsFileReader(std::string_view bytes, QuoteRule rule = QuoteRule::Doubled)
        : bytes_(bytes), rule_(rule) {}

    Result<FileValue, ReadFailure> next();

    // Whether a lone double quote was kept inside a text so far: one that is
    // neither doubled nor closes the text. Save doubles every quote of a text,
    // so a file it wrote never holds one, not even when it is cut short.
    bool keptLoneQuote() const { return keptLoneQuote_; }

private:
    bool atEnd() const { return pos_ >= bytes_.size(); }
    bool atLineEnd() const;
    void skipLineEnd();
    void skipSpaces();
    // Consumes the comma or line end after a value; nothing at the end of the
    // file, which it tells.
    bool endValue();
    bool closesQuote(std::size_t quote) const;

    std::string_view bytes_;
    QuoteRule rule_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t valuesOnLine_ = 0;
    bool afterComma_ = false; // a comma was read: another value follows on this line
    bool keptLoneQuote_ = false;
};

} // namespace korvel
