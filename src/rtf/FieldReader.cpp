#include "rtf/FieldReader.h"

#include "rtf/ReaderLimits.h"

#include <utility>

namespace korvel::rtf::detail {

int FieldReader::start() {
    instructions_.emplace_back();
    linkOf_.push_back(kNotLookedUp);
    return static_cast<int>(instructions_.size() - 1);
}

void FieldReader::instructionCharacter(int field, char32_t c) {
    AppendLimited(instructions_[static_cast<std::size_t>(field)], c, kMaxInstructionLength);
}

std::optional<int> FieldReader::result(int field) {
    const std::string& instruction = instructions_[static_cast<std::size_t>(field)];
    if (SymbolFieldCharacter(instruction)) {
        return std::nullopt;
    }
    int& link = linkOf_[static_cast<std::size_t>(field)];
    if (link == kNotLookedUp) {
        link = -1;
        if (auto target = HyperlinkTarget(instruction)) {
            links_.push_back(std::move(*target));
            link = static_cast<int>(links_.size() - 1);
        }
    }
    return link;
}

std::optional<SymbolField> FieldReader::symbol(int field) const {
    return SymbolFieldCharacter(instructions_[static_cast<std::size_t>(field)]);
}

} // namespace korvel::rtf::detail
