#include "advisor/AprsSymbols.h"
#include "cli/CommandSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config symbols [--json]\n\n"
    "Lists the 188 APRS symbols, one a line: the table ('/' primary, '\\' alternate,\n"
    "the Alternate Table box), the character for ICON Symbol, and the name.\n";

constexpr std::array kOptions = {
    OptionRow{.name = "--json",
              .value = {},
              .help = "print them as a JSON array of {\"table\", \"symbol\", \"name\"}"},
};

std::string SymbolsJson() {
    QJsonArray array;
    for (const AprsSymbol& symbol : AllSymbols()) {
        array.append(QJsonObject{
            {QStringLiteral("table"), QString(QChar::fromLatin1(symbol.table))},
            {QStringLiteral("symbol"), QString(QChar::fromLatin1(symbol.code))},
            {QStringLiteral("name"),
             QString::fromUtf8(symbol.name.data(), static_cast<qsizetype>(symbol.name.size()))}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace

int RunSymbols(Arguments args) {
    const CommandSyntax syntax{.name = "symbols", .about = kHelp, .options = kOptions};
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    if (parsed.has("--json")) {
        std::cout << SymbolsJson();
    } else {
        for (const AprsSymbol& symbol : AllSymbols()) {
            std::cout << symbol.table << symbol.code << ' ' << symbol.name << '\n';
        }
    }
    return kExitSuccess;
}

} // namespace korvel::cli
