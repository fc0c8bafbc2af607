#include "image/AprsPath.h"

#include "settings/FieldTable.h"

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

Result<std::string, std::string> PutAprsPath(ConfigImage& image, std::string_view path) {
    if (AprsPathIsEmpty(path)) {
        return std::string();
    }
    const AprsPathParts parts = SplitAprsPath(TrimSpaces(path));
    const std::size_t firstEntry = TraitsOf(Field::edAprsPath).image.offset;
    std::size_t position = firstEntry;
    auto first = PutCallsign(image, position, parts.first, !parts.second);
    if (!first || !parts.second) {
        return first;
    }
    position = firstEntry + kAddressEntrySize;
    auto second = PutCallsign(image, position, *parts.second, true);
    if (!second) {
        return second;
    }
    return *first + "," + *second;
}

} // namespace korvel
