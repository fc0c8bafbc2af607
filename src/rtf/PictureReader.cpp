#include "rtf/PictureReader.h"

#include "rtf/ReaderLimits.h"
#include "rtf/RtfTokenizer.h"

#include <algorithm>
#include <utility>

namespace korvel::rtf::detail {
namespace {

int Scaled(int goal, int percent) {
    return static_cast<int>(
        std::min<long long>(static_cast<long long>(goal) * percent / 100, kMaxLength));
}

} // namespace

void PictureReader::start() {
    *this = PictureReader{};
    active_ = true;
}

void PictureReader::word(Word word, int n) {
    switch (word) {
    case Word::PngBlip:
        kind_ = static_cast<int>(Picture::Kind::Png);
        break;
    case Word::JpegBlip:
        kind_ = static_cast<int>(Picture::Kind::Jpeg);
        break;
    case Word::OtherBlip:
        kind_ = -1;
        active_ = false;
        break;
    case Word::PicWGoal:
        goalWidth_ = Clamp(n, 0, kMaxLength);
        break;
    case Word::PicHGoal:
        goalHeight_ = Clamp(n, 0, kMaxLength);
        break;
    case Word::PicScaleX:
        scaleX_ = Clamp(n, 1, 1000);
        break;
    case Word::PicScaleY:
        scaleY_ = Clamp(n, 1, 1000);
        break;
    default:
        break;
    }
}

void PictureReader::hex(std::string_view digits) {
    if (!active_) {
        return;
    }
    for (const char c : digits) {
        const int value = HexValue(c);
        if (value < 0) {
            continue;
        }
        if (nibble_ < 0) {
            nibble_ = value;
        } else {
            picture_.data.push_back(static_cast<std::uint8_t>(nibble_ * 16 + value));
            nibble_ = -1;
        }
    }
}

void PictureReader::binary(std::string_view bytes) {
    if (active_) {
        picture_.data.insert(picture_.data.end(), bytes.begin(), bytes.end());
    }
}

std::optional<Picture> PictureReader::finish() {
    std::optional<Picture> shown;
    if (active_ && kind_ >= 0 && !picture_.data.empty()) {
        shown = std::move(picture_);
        shown->kind = static_cast<Picture::Kind>(kind_);
        shown->widthTwips = Scaled(goalWidth_, scaleX_);
        shown->heightTwips = Scaled(goalHeight_, scaleY_);
    }
    *this = PictureReader{};
    return shown;
}

} // namespace korvel::rtf::detail
