#include "settingsfile/SettingsFileReader.h"

namespace korvel {
namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

} // namespace

bool SettingsFileReader::atLineEnd() const {
    return !atEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

void SettingsFileReader::skipLineEnd() {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
    valuesOnLine_ = 0;
}

void SettingsFileReader::skipSpaces() {
    while (!atEnd() && bytes_[pos_] == ' ') {
        ++pos_;
    }
}

bool SettingsFileReader::endValue() {
    afterComma_ = false;
    if (atEnd()) {
        return true;
    }
    if (bytes_[pos_] == kComma) {
        ++pos_;
        afterComma_ = true;
    } else {
        skipLineEnd();
    }
    return false;
}

// Whether the double quote at `quote` closes a quoted text: only spaces stand
// between it and a comma, a line end or the end of the file. The spaces are
// looked at again only when the answer is yes, so reading stays linear.
bool SettingsFileReader::closesQuote(std::size_t quote) const {
    std::size_t after = quote + 1;
    while (after < bytes_.size() && bytes_[after] == ' ') {
        ++after;
    }
    return after == bytes_.size() || bytes_[after] == kComma || bytes_[after] == '\r' ||
           bytes_[after] == '\n';
}

Result<FileValue, ReadFailure> SettingsFileReader::next() {
    for (;;) {
        skipSpaces();
        if (atEnd() && !afterComma_) {
            return Failure{ReadFailure{ReadFailure::Kind::EndOfFile, line_, valuesOnLine_ + 1}};
        }
        if (atLineEnd() && !afterComma_) {
            skipLineEnd(); // a blank line holds no value
            continue;
        }
        break;
    }

    FileValue value;
    value.line = line_;
    value.position = ++valuesOnLine_;

    if (!atEnd() && bytes_[pos_] == kQuote) {
        value.quoted = true;
        ++pos_;
        const std::size_t startLine = line_;
        for (;;) {
            const std::size_t quote = bytes_.find(kQuote, pos_);
            if (quote == std::string_view::npos) {
                pos_ = bytes_.size();
                return Failure{
                    ReadFailure{ReadFailure::Kind::UnterminatedQuote, startLine, value.position}};
            }
            // Line ends inside the text still count for the lines that follow.
            for (std::size_t i = pos_; i < quote; ++i) {
                if (bytes_[i] == '\n' || (bytes_[i] == '\r' && bytes_[i + 1] != '\n')) {
                    ++line_;
                }
            }
            value.text.append(bytes_.substr(pos_, quote - pos_));
            if (rule_ == QuoteRule::Doubled && quote + 1 < bytes_.size() &&
                bytes_[quote + 1] == kQuote) {
                value.text += kQuote;
                pos_ = quote + 2;
                continue;
            }
            pos_ = quote + 1;
            if (closesQuote(quote)) {
                break;
            }
            value.text += kQuote;
            keptLoneQuote_ = true;
        }
        skipSpaces();
    } else {
        const std::size_t start = pos_;
        const std::size_t end = bytes_.find_first_of(",\r\n", pos_);
        pos_ = end == std::string_view::npos ? bytes_.size() : end;
        value.text.assign(bytes_.substr(start, pos_ - start));
    }
    value.endsFile = endValue();
    return value;
}

} // namespace korvel
