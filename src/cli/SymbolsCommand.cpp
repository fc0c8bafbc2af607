#include "advisor/AprsSymbols.h"
#include "cli/CommandSupport.h"
#include "cli/QuotedArgument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config symbols [--json]\n\n"
    "Lists the 188 APRS symbols, one a line: the table ('/' primary, '\\' alternate,\n"
    "the Alternate Table box), the character for ICON Symbol, and the name.\n\nOptions:\n"
    "  --json             print them as a JSON array of {\"table\", \"symbol\", \"name\"}\n";

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
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << kHelp;
            return kExitSuccess;
        }
    }
    for (const std::string& arg : args) {
        if (arg != "--json") {
            const bool isOption = arg.starts_with("-") && arg.size() > 1;
            return Fail("symbols", (isOption ? "unknown option " : "unexpected argument ") +
                                       QuotedArgument(arg) + " (see --help)");
        }
        json = true;
    }
    if (json) {
        std::cout << SymbolsJson();
    } else {
        for (const AprsSymbol& symbol : AllSymbols()) {
            std::cout << symbol.table << symbol.code << ' ' << symbol.name << '\n';
        }
    }
    return kExitSuccess;
}

} // namespace korvel::cli
