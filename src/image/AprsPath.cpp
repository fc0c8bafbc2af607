#include "image/AprsPath.h"

#include "image/ImageLayout.h"

namespace korvel {

AprsPathParts SplitAprsPath(std::string_view path) {
    const std::size_t comma = path.find(',');
    if (comma == std::string_view::npos) {
        return {path, std::nullopt};
    }
    const std::string_view rest = path.substr(comma + 1);
    return {path.substr(0, comma), rest.substr(0, rest.find(','))};
}

bool AprsPathIsEmpty(std::string_view path) {
    return TrimSpaces(path).empty();
}

EncodedCallsign PutAprsPath(ConfigImage& image, std::string_view path) {
    if (AprsPathIsEmpty(path)) {
        return {};
    }
    const AprsPathParts parts = SplitAprsPath(TrimSpaces(path));
    std::size_t position = offset::kFirstDigipeater;
    EncodedCallsign first = PutCallsign(image, position, parts.first, !parts.second);
    if (first.failure || !parts.second) {
        return first;
    }
    position = offset::kSecondDigipeater;
    EncodedCallsign second = PutCallsign(image, position, *parts.second, true);
    if (second.failure) {
        return second;
    }
    return {first.normalised + "," + second.normalised, std::nullopt};
}

} // namespace korvel
