#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr char kPrimarySymbolTable = '/';
inline constexpr char kAlternateSymbolTable = '\\';

// The groups in which the window offers the symbols.
enum class SymbolGroup { Vehicles, People, Services, Places, Radio, Weather, Other, Unassigned };

struct AprsSymbol {
    char table; // '/' primary, '\\' alternate
    char code;  // '!' to '~'
    std::string_view name;
    int ssid;    // the SSID that stands for this symbol, 0 for none
    bool mobile; // one of the symbols a moving station should use
    SymbolGroup group;

    bool assigned() const { return group != SymbolGroup::Unassigned; }
};

// The 188 symbols, primary and alternate table interleaved by code.
std::span<const AprsSymbol> AllSymbols();

// The symbol `code` of `table`, or nullptr for a code no table has.
const AprsSymbol* FindSymbol(char table, char code);

std::string_view GroupName(SymbolGroup group);

// "'>' primary table: Car"; a code no table has is "not an APRS symbol".
std::string DescribeSymbol(char table, char code);

} // namespace korvel
