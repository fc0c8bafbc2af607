#pragma once

#include "rtf/ControlWords.h"
#include "rtf/Document.h"

#include <optional>
#include <string_view>

namespace korvel::rtf::detail {

// One \pict group: its kind, its size and its data, in hexadecimal or as
// \bin bytes.
class PictureReader {
public:
    // A \pict group opens: a new picture.
    void start();
    void word(Word word, int n);
    void hex(std::string_view digits);
    void binary(std::string_view bytes);
    // The group closed: the picture read, if it is one a document can show
    // (PNG or JPEG, with data); the reader is then ready for the next.
    std::optional<Picture> finish();

private:
    bool active_ = false;
    int kind_ = -1; // -1 unknown, else Picture::Kind
    Picture picture_;
    int nibble_ = -1;
    int goalWidth_ = 0, goalHeight_ = 0, scaleX_ = 100, scaleY_ = 100;
};

} // namespace korvel::rtf::detail
