#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::cli {

// One option of a command, as the command's table declares it. Every command
// of korvel-config and the simulated tracker read their arguments through
// ParseOptions, so that they all take the same spellings and refuse a wrong
// argument with the same words.
struct OptionRow {
    std::string_view name;  // "--width"
    std::string_view value; // what the help calls its value ("N"); empty for a flag
    std::string_view help;  // its help text; each '\n' begins an indented line
    // A value option given twice is refused unless it is repeatable; a flag may
    // always be given again, as it changes nothing.
    bool repeatable = false;
    // What a missing, empty or refused value is told the option needs:
    // "--width needs a number from 20 to 1000". Empty: "a value".
    std::string_view needs = {};
    // Whether the option takes this value; nullptr takes any but an empty one.
    bool (*accepts)(std::string_view value) = nullptr;
};

// The options and operands of one command line, in the order given.
class ParsedOptions {
public:
    bool has(std::string_view name) const;
    // The value of an option that is not repeatable; nothing when not given.
    std::optional<std::string> value(std::string_view name) const;
    // Every value of a repeatable option, in the order given.
    std::vector<std::string> values(std::string_view name) const;
    const std::vector<std::string>& operands() const { return operands_; }

    void add(std::string_view name, std::string value) {
        given_.emplace_back(std::string(name), std::move(value));
    }
    void addOperand(std::string operand) { operands_.push_back(std::move(operand)); }

private:
    std::vector<std::pair<std::string, std::string>> given_; // name, value ("" for a flag)
    std::vector<std::string> operands_;
};

struct ParseResult {
    bool help = false; // -h or --help came before any "--": print the help, nothing else
    std::string error; // a usage error (UTF-8), "" when there is none
    ParsedOptions options;
};

// Reads `args` against `table`. An option takes its value as "--name VALUE"
// (the next argument, whatever it is) or "--name=VALUE"; "--" ends the options,
// so that what follows is an operand even when it begins with '-'. At most
// `maxOperands` operands are taken; "-" alone is an operand.
ParseResult ParseOptions(std::span<const OptionRow> table, std::span<const std::string> args,
                         std::size_t maxOperands);

// The help lines of the table and of -h/--help, the values aligned:
// "  --width N          wrap the text to N columns\n".
std::string OptionsHelp(std::span<const OptionRow> table);

} // namespace korvel::cli
