#pragma once

#include "rtf/FieldInstruction.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel::rtf::detail {

// The fields: each one's instruction, read from its \fldinst group, and what
// its \fldrslt becomes: a link of the document's, or nothing when the field
// shows a SYMBOL character of its own.
class FieldReader {
public:
    explicit FieldReader(std::vector<std::string>& links) : links_(links) {}

    // A \field opens: the new field's number.
    int start();
    void instructionCharacter(int field, char32_t c);
    // \fldrslt of `field`: the link its text belongs to (-1 for none), or
    // nothing when its result is to be skipped because the field's end shows
    // the character its SYMBOL instruction names.
    std::optional<int> result(int field);
    std::optional<SymbolField> symbol(int field) const;

private:
    static constexpr int kNotLookedUp = -2;

    std::vector<std::string>& links_;
    std::vector<std::string> instructions_;
    std::vector<int> linkOf_; // per field: index in links_, -1 none, or kNotLookedUp
};

} // namespace korvel::rtf::detail
