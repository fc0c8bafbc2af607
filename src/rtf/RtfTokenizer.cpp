#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <climits>

namespace korvel::rtf {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

Token RtfTokenizer::next() {
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '\r' || c == '\n') {
            ++pos_; // line ends carry no meaning in RTF
            continue;
        }
        if (c == '{') {
            ++pos_;
            return Token{Token::Kind::GroupStart};
        }
        if (c == '}') {
            ++pos_;
            return Token{Token::Kind::GroupEnd};
        }
        if (c == '\\') {
            return readControl();
        }
        return readText();
    }
    return Token{Token::Kind::End};
}

Token RtfTokenizer::readText() {
    const std::size_t start = pos_;
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n') {
            break;
        }
        ++pos_;
    }
    Token token{Token::Kind::Text};
    token.name = input_.substr(start, pos_ - start);
    return token;
}

Token RtfTokenizer::readControl() {
    ++pos_; // the backslash
    if (pos_ >= input_.size()) {
        return Token{Token::Kind::End};
    }
    return IsLetter(input_[pos_]) ? readWord() : readSymbol();
}

// A control symbol: a backslash and one character that is not a letter.
Token RtfTokenizer::readSymbol() {
    const char first = input_[pos_++];
    if (first == '\r' || first == '\n') {
        Token token{Token::Kind::ControlWord}; // an escaped line end is a paragraph mark
        token.name = "par";
        return token;
    }
    if (first == '\'') {
        const int high = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
        const int low = pos_ + 1 < input_.size() ? HexValue(input_[pos_ + 1]) : -1;
        if (high < 0 || low < 0) {
            return Token{Token::Kind::Text}; // a broken escape is dropped
        }
        pos_ += 2;
        Token token{Token::Kind::HexByte};
        token.byte = static_cast<std::uint8_t>(high * 16 + low);
        return token;
    }
    Token token{Token::Kind::ControlSymbol};
    token.name = input_.substr(pos_ - 1, 1);
    return token;
}

// A control word: letters, an optional signed number and an optional space;
// \binN takes the N bytes after it as they are.
Token RtfTokenizer::readWord() {
    const std::size_t start = pos_;
    while (pos_ < input_.size() && IsLetter(input_[pos_])) {
        ++pos_;
    }
    Token token{Token::Kind::ControlWord};
    token.name = input_.substr(start, pos_ - start);

    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && IsDigit(input_[pos_])) {
        long long value = 0;
        while (pos_ < input_.size() && IsDigit(input_[pos_])) {
            value = std::min<long long>(value * 10 + (input_[pos_] - '0'), INT_MAX);
            ++pos_;
        }
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (pos_ < input_.size() && input_[pos_] == ' ') {
        ++pos_; // the delimiting space belongs to the control word
    }

    if (token.name == "bin" && token.hasParameter && token.parameter > 0) {
        const std::size_t length =
            std::min(static_cast<std::size_t>(token.parameter), input_.size() - pos_);
        Token data{Token::Kind::Binary};
        data.name = input_.substr(pos_, length);
        pos_ += length;
        return data;
    }
    return token;
}

} // namespace korvel::rtf
