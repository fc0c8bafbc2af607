#include "cli/OptionTable.h"

#include "cli/QuotedArgument.h"

#include <algorithm>

namespace korvel::cli {
namespace {

constexpr std::string_view kSeeHelp = " (see --help)";
constexpr std::size_t kHelpColumn = 21;

bool IsHelp(std::string_view arg) {
    return arg == "-h" || arg == "--help";
}

bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg.starts_with('-');
}

// Whether -h or --help comes before the end of the options.
bool AsksForHelp(std::span<const std::string> args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [](const std::string& arg) { return IsHelp(arg); });
}

const OptionRow* Find(std::span<const OptionRow> table, std::string_view name) {
    const auto option = std::find_if(table.begin(), table.end(),
                                     [name](const OptionRow& s) { return s.name == name; });
    return option == table.end() ? nullptr : &*option;
}

// "--width needs a number from 20 to 1000", then the value refused, if any.
std::string NeedsMessage(const OptionRow& option, const std::optional<std::string>& value) {
    std::string message = std::string(option.name) + " needs " +
                          std::string(option.needs.empty() ? "a value" : option.needs);
    if (value && !value->empty()) {
        message += "; " + QuotedArgument(*value) + " is not one";
    }
    return message + std::string(kSeeHelp);
}

// The reader of one command line: the argument at `next` and what was taken so far.
class Parser {
public:
    Parser(std::span<const OptionRow> table, std::span<const std::string> args,
           std::size_t maxOperands)
        : table_(table), args_(args), maxOperands_(maxOperands) {}

    ParseResult run() {
        bool optionsEnded = false;
        while (next_ < args_.size() && result_.error.empty()) {
            const std::string& arg = args_[next_++];
            if (!optionsEnded && arg == "--") {
                optionsEnded = true;
            } else if (!optionsEnded && IsOption(arg)) {
                takeOption(arg);
            } else {
                takeOperand(arg);
            }
        }
        return std::move(result_);
    }

private:
    void takeOperand(const std::string& arg) {
        if (result_.options.operands().size() == maxOperands_) {
            fail("unexpected argument " + QuotedArgument(arg) + std::string(kSeeHelp));
            return;
        }
        result_.options.addOperand(arg);
    }

    void takeOption(const std::string& arg) {
        const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const OptionRow* option = Find(table_, name);
        if (option == nullptr) {
            fail("unknown option " + QuotedArgument(arg) + std::string(kSeeHelp));
            return;
        }
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (!option->value.empty() && next_ < args_.size()) {
            value = args_[next_++];
        }
        if (option->value.empty()) {
            takeFlag(*option, value.has_value());
        } else {
            takeValue(*option, value);
        }
    }

    void takeFlag(const OptionRow& option, bool hasValue) {
        if (hasValue) {
            fail(std::string(option.name) + " takes no value" + std::string(kSeeHelp));
            return;
        }
        result_.options.add(option.name, {});
    }

    void takeValue(const OptionRow& option, const std::optional<std::string>& value) {
        const bool refused =
            !value || value->empty() || (option.accepts != nullptr && !option.accepts(*value));
        if (refused) {
            fail(NeedsMessage(option, value));
        } else if (!option.repeatable && result_.options.has(option.name)) {
            fail(std::string(option.name) + " may be given only once" + std::string(kSeeHelp));
        } else {
            result_.options.add(option.name, *value);
        }
    }

    void fail(std::string message) { result_.error = std::move(message); }

    std::span<const OptionRow> table_;
    std::span<const std::string> args_;
    std::size_t maxOperands_;
    std::size_t next_ = 0;
    ParseResult result_;
};

// "  --width N          " and the help text, its next lines indented as far.
std::string HelpLines(std::string_view label, std::string_view help) {
    std::string lines = "  " + std::string(label);
    lines += std::string(lines.size() + 2 <= kHelpColumn ? kHelpColumn - lines.size() : 2, ' ');
    for (const char c : help) {
        lines += c;
        if (c == '\n') {
            lines += std::string(kHelpColumn, ' ');
        }
    }
    return lines + "\n";
}

} // namespace

bool ParsedOptions::has(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(),
                       [name](const auto& given) { return given.first == name; });
}

std::optional<std::string> ParsedOptions::value(std::string_view name) const {
    const auto given = std::find_if(given_.begin(), given_.end(),
                                    [name](const auto& g) { return g.first == name; });
    return given == given_.end() ? std::nullopt : std::optional(given->second);
}

std::vector<std::string> ParsedOptions::values(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [given, value] : given_) {
        if (given == name) {
            values.push_back(value);
        }
    }
    return values;
}

ParseResult ParseOptions(std::span<const OptionRow> table, std::span<const std::string> args,
                         std::size_t maxOperands) {
    if (AsksForHelp(args)) {
        return {.help = true, .error = {}, .options = {}};
    }
    return Parser(table, args, maxOperands).run();
}

std::string OptionsHelp(std::span<const OptionRow> table) {
    std::string help;
    for (const OptionRow& option : table) {
        const std::string label = std::string(option.name) +
                                  (option.value.empty() ? "" : " " + std::string(option.value));
        help += HelpLines(label, option.help);
    }
    return help + HelpLines("-h, --help", "print this help");
}

} // namespace korvel::cli
