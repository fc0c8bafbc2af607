#include "advisor/AprsSymbols.h"

#include <array>

namespace korvel {
namespace {

using Group = SymbolGroup;

// The APRS symbols of both tables, 94 each, with the names of the APRS symbols
// list (revision of 25 Nov 2015; APRS 1.01, appendix 2), tidied for display.
// The SSID is the one that stands for the symbol in an address without a symbol
// (APRS 1.01, SSID-derived symbols; 0 for none), and `mobile` marks the list's
// "just mobile" symbols. Symbols the list leaves unassigned (AVAIL, TBD,
// reserved) and the TNC stream switches are grouped as Unassigned.
constexpr std::array<AprsSymbol, 188> kSymbols = {{
    {'/', '!', "Police, sheriff", 0, true, Group::Services},
    {'\\', '!', "Emergency", 0, false, Group::Services},
    {'/', '"', "Unassigned", 0, false, Group::Unassigned},
    {'\\', '"', "Unassigned", 0, false, Group::Unassigned},
    {'/', '#', "Digi (white centre)", 0, false, Group::Radio},
    {'\\', '#', "Overlay digi (green star)", 0, false, Group::Radio},
    {'/', '$', "Phone", 0, false, Group::Radio},
    {'\\', '$', "Bank or ATM (green box)", 0, false, Group::Places},
    {'/', '%', "DX cluster", 0, false, Group::Radio},
    {'\\', '%', "Power plant", 0, false, Group::Places},
    {'/', '&', "HF gateway", 0, false, Group::Radio},
    {'\\', '&', "Gateway (I = IGate, R = RX, T = 1-hop TX, 2 = 2-hop TX)", 0, false, Group::Radio},
    {'/', '\'', "Small aircraft", 11, true, Group::Vehicles},
    {'\\', '\'', "Crash, incident site", 0, false, Group::Services},
    {'/', '(', "Mobile satellite station", 0, true, Group::Vehicles},
    {'\\', '(', "Cloudy (other clouds with overlay)", 0, false, Group::Weather},
    {'/', ')', "Wheelchair (handicapped)", 0, true, Group::People},
    {'\\', ')', "Firenet MEO, MODIS Earth observation", 0, false, Group::Weather},
    {'/', '*', "Snowmobile", 0, true, Group::Vehicles},
    {'\\', '*', "Unassigned", 0, false, Group::Unassigned},
    {'/', '+', "Red Cross", 0, false, Group::Services},
    {'\\', '+', "Church", 0, false, Group::Places},
    {'/', ',', "Boy Scouts", 0, false, Group::People},
    {'\\', ',', "Girl Scouts", 0, false, Group::People},
    {'/', '-', "House QTH (VHF)", 0, false, Group::Radio},
    {'\\', '-', "House (H = HF, O = operator present)", 0, false, Group::Radio},
    {'/', '.', "X", 0, false, Group::Other},
    {'\\', '.', "Ambiguous (big question mark)", 0, false, Group::Other},
    {'/', '/', "Red dot", 0, false, Group::Other},
    {'\\', '/', "Waypoint destination", 0, false, Group::Places},
    {'/', '0', "Circle (obsolete)", 0, true, Group::Other},
    {'\\', '0', "Circle (IRLP, EchoLink, WIRES)", 0, false, Group::Radio},
    {'/', '1', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '1', "Unassigned", 0, false, Group::Unassigned},
    {'/', '2', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '2', "Unassigned", 0, false, Group::Unassigned},
    {'/', '3', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '3', "Unassigned", 0, false, Group::Unassigned},
    {'/', '4', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '4', "Unassigned", 0, false, Group::Unassigned},
    {'/', '5', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '5', "Unassigned", 0, false, Group::Unassigned},
    {'/', '6', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '6', "Unassigned", 0, false, Group::Unassigned},
    {'/', '7', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '7', "Unassigned", 0, false, Group::Unassigned},
    {'/', '8', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '8', "802.11 or other network node", 0, false, Group::Radio},
    {'/', '9', "Unassigned", 0, true, Group::Unassigned},
    {'\\', '9', "Gas station (blue pump)", 0, false, Group::Places},
    {'/', ':', "Fire", 0, false, Group::Services},
    {'\\', ':', "Unassigned", 0, false, Group::Unassigned},
    {'/', ';', "Campground (portable ops)", 0, false, Group::Places},
    {'\\', ';', "Park, picnic (and overlay events)", 0, false, Group::Places},
    {'/', '<', "Motorcycle", 10, true, Group::Vehicles},
    {'\\', '<', "Advisory (one WX flag)", 0, false, Group::Weather},
    {'/', '=', "Railroad engine", 0, true, Group::Vehicles},
    {'\\', '=', "Unassigned", 0, false, Group::Unassigned},
    {'/', '>', "Car", 9, true, Group::Vehicles},
    {'\\', '>', "Overlaid cars and vehicles", 0, true, Group::Vehicles},
    {'/', '?', "File server", 0, false, Group::Radio},
    {'\\', '?', "Info kiosk (blue box with ?)", 0, false, Group::Places},
    {'/', '@', "HC future prediction (dot)", 0, false, Group::Other},
    {'\\', '@', "Hurricane, tropical storm", 0, false, Group::Weather},
    {'/', 'A', "Aid station", 0, false, Group::Services},
    {'\\', 'A', "Overlay box (DTMF, RFID, XO)", 0, false, Group::Other},
    {'/', 'B', "BBS or PBBS", 0, false, Group::Radio},
    {'\\', 'B', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'C', "Canoe", 0, true, Group::Vehicles},
    {'\\', 'C', "Coast Guard", 0, false, Group::Services},
    {'/', 'D', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'D', "Depots", 0, false, Group::Places},
    {'/', 'E', "Eyeball (events etc.)", 0, false, Group::People},
    {'\\', 'E', "Smoke (and other visibility codes)", 0, false, Group::Weather},
    {'/', 'F', "Farm vehicle (tractor)", 0, true, Group::Vehicles},
    {'\\', 'F', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'G', "Grid square (6 digit)", 0, false, Group::Other},
    {'\\', 'G', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'H', "Hotel (blue bed symbol)", 0, false, Group::Places},
    {'\\', 'H', "Haze (and overlay hazards)", 0, false, Group::Weather},
    {'/', 'I', "TCP/IP on-air network station", 0, false, Group::Radio},
    {'\\', 'I', "Rain shower", 0, false, Group::Weather},
    {'/', 'J', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'J', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'K', "School", 0, false, Group::Places},
    {'\\', 'K', "Kenwood HT", 0, true, Group::People},
    {'/', 'L', "PC user", 0, false, Group::People},
    {'\\', 'L', "Lighthouse", 0, false, Group::Places},
    {'/', 'M', "MacAPRS", 0, false, Group::Radio},
    {'\\', 'M', "MARS (A = Army, N = Navy, F = Air Force)", 0, false, Group::Services},
    {'/', 'N', "NTS station", 0, false, Group::Services},
    {'\\', 'N', "Navigation buoy", 0, false, Group::Places},
    {'/', 'O', "Balloon", 11, true, Group::Vehicles},
    {'\\', 'O', "Overlaid balloon (rocket)", 0, true, Group::Vehicles},
    {'/', 'P', "Police", 0, true, Group::Services},
    {'\\', 'P', "Parking", 0, false, Group::Places},
    {'/', 'Q', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'Q', "Quake", 0, false, Group::Weather},
    {'/', 'R', "Recreational vehicle", 13, true, Group::Vehicles},
    {'\\', 'R', "Restaurant", 0, false, Group::Places},
    {'/', 'S', "Shuttle", 0, true, Group::Vehicles},
    {'\\', 'S', "Satellite, Pacsat", 0, true, Group::Vehicles},
    {'/', 'T', "SSTV", 0, false, Group::Radio},
    {'\\', 'T', "Thunderstorm", 0, false, Group::Weather},
    {'/', 'U', "Bus", 2, true, Group::Vehicles},
    {'\\', 'U', "Sunny", 0, false, Group::Weather},
    {'/', 'V', "ATV", 0, false, Group::Vehicles},
    {'\\', 'V', "VORTAC navigation aid", 0, false, Group::Places},
    {'/', 'W', "National Weather Service site", 0, false, Group::Weather},
    {'\\', 'W', "NWS site (NWS options)", 0, false, Group::Weather},
    {'/', 'X', "Helicopter", 6, true, Group::Vehicles},
    {'\\', 'X', "Pharmacy", 0, false, Group::Services},
    {'/', 'Y', "Yacht (sail)", 5, true, Group::Vehicles},
    {'\\', 'Y', "Radios and devices", 0, true, Group::People},
    {'/', 'Z', "WinAPRS", 0, false, Group::Radio},
    {'\\', 'Z', "Unassigned", 0, false, Group::Unassigned},
    {'/', '[', "Human, person", 7, true, Group::People},
    {'\\', '[', "Wall cloud (and humans with overlay)", 0, true, Group::Weather},
    {'/', '\\', "Triangle (DF station)", 0, true, Group::Other},
    {'\\', '\\', "New overlayable GPS symbol", 0, true, Group::Other},
    {'/', ']', "Mail, post office (was PBBS)", 0, false, Group::Places},
    {'\\', ']', "Unassigned", 0, false, Group::Unassigned},
    {'/', '^', "Large aircraft", 0, true, Group::Vehicles},
    {'\\', '^', "Other aircraft overlays", 0, true, Group::Vehicles},
    {'/', '_', "Weather station (blue)", 0, false, Group::Weather},
    {'\\', '_', "Weather site (green digi)", 0, false, Group::Weather},
    {'/', '`', "Dish antenna", 0, false, Group::Radio},
    {'\\', '`', "Rain (all types with overlay)", 0, false, Group::Weather},
    {'/', 'a', "Ambulance", 1, true, Group::Vehicles},
    {'\\', 'a', "ARRL, ARES, WinLink, D-Star etc.", 0, false, Group::Services},
    {'/', 'b', "Bicycle", 4, true, Group::Vehicles},
    {'\\', 'b', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'c', "Incident command post", 0, false, Group::Services},
    {'\\', 'c', "CD triangle (RACES, SATERN etc.)", 0, false, Group::Services},
    {'/', 'd', "Fire department", 0, false, Group::Services},
    {'\\', 'd', "DX spot by callsign", 0, false, Group::Radio},
    {'/', 'e', "Horse (equestrian)", 0, true, Group::People},
    {'\\', 'e', "Sleet", 0, false, Group::Weather},
    {'/', 'f', "Fire truck", 3, true, Group::Vehicles},
    {'\\', 'f', "Funnel cloud", 0, false, Group::Weather},
    {'/', 'g', "Glider", 0, true, Group::Vehicles},
    {'\\', 'g', "Gale flags", 0, false, Group::Weather},
    {'/', 'h', "Hospital", 0, false, Group::Services},
    {'\\', 'h', "Store or hamfest (H = ham store)", 0, false, Group::Places},
    {'/', 'i', "IOTA (islands on the air)", 0, false, Group::Places},
    {'\\', 'i', "Box or point of interest", 0, false, Group::Places},
    {'/', 'j', "Jeep", 12, true, Group::Vehicles},
    {'\\', 'j', "Work zone (steam shovel)", 0, false, Group::Places},
    {'/', 'k', "Truck", 14, true, Group::Vehicles},
    {'\\', 'k', "Special vehicle (SUV, ATV, 4x4)", 0, true, Group::Vehicles},
    {'/', 'l', "Laptop", 0, false, Group::People},
    {'\\', 'l', "Areas (box, circles, etc.)", 0, false, Group::Places},
    {'/', 'm', "Mic-E repeater", 0, false, Group::Radio},
    {'\\', 'm', "Value sign (3-digit display)", 0, false, Group::Radio},
    {'/', 'n', "Node (black bull's-eye)", 0, false, Group::Radio},
    {'\\', 'n', "Overlay triangle", 0, false, Group::Radio},
    {'/', 'o', "EOC", 0, false, Group::Services},
    {'\\', 'o', "Small circle", 0, false, Group::Other},
    {'/', 'p', "Rover (puppy or dog)", 0, true, Group::People},
    {'\\', 'p', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'q', "Grid square shown above 128 m", 0, false, Group::Other},
    {'\\', 'q', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'r', "Repeater", 0, false, Group::Radio},
    {'\\', 'r', "Restrooms", 0, false, Group::Places},
    {'/', 's', "Ship (power boat)", 8, true, Group::Vehicles},
    {'\\', 's', "Overlaid ship, boats", 0, true, Group::Vehicles},
    {'/', 't', "Truck stop", 0, false, Group::Places},
    {'\\', 't', "Tornado", 0, false, Group::Weather},
    {'/', 'u', "Truck (18 wheeler)", 0, true, Group::Vehicles},
    {'\\', 'u', "Overlaid truck", 0, true, Group::Vehicles},
    {'/', 'v', "Van", 15, true, Group::Vehicles},
    {'\\', 'v', "Overlaid van", 0, true, Group::Vehicles},
    {'/', 'w', "Water station", 0, false, Group::Weather},
    {'\\', 'w', "Flooding (avalanches, slides)", 0, false, Group::Weather},
    {'/', 'x', "xAPRS (Unix)", 0, false, Group::Radio},
    {'\\', 'x', "Wreck or obstruction", 0, false, Group::Services},
    {'/', 'y', "Yagi at QTH", 0, false, Group::Radio},
    {'\\', 'y', "Skywarn", 0, false, Group::Weather},
    {'/', 'z', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'z', "Overlaid shelter", 0, false, Group::Places},
    {'/', '{', "Unassigned", 0, false, Group::Unassigned},
    {'\\', '{', "Unassigned", 0, false, Group::Unassigned},
    {'/', '|', "TNC stream switch", 0, false, Group::Unassigned},
    {'\\', '|', "TNC stream switch", 0, false, Group::Unassigned},
    {'/', '}', "Unassigned", 0, false, Group::Unassigned},
    {'\\', '}', "Unassigned", 0, false, Group::Unassigned},
    {'/', '~', "TNC stream switch", 0, false, Group::Unassigned},
    {'\\', '~', "TNC stream switch", 0, false, Group::Unassigned},
}};

} // namespace

std::span<const AprsSymbol> AllSymbols() {
    return kSymbols;
}

const AprsSymbol* FindSymbol(char table, char code) {
    for (const AprsSymbol& symbol : kSymbols) {
        if (symbol.table == table && symbol.code == code) {
            return &symbol;
        }
    }
    return nullptr;
}

std::string_view GroupName(SymbolGroup group) {
    switch (group) {
    case SymbolGroup::Vehicles:
        return "Vehicles";
    case SymbolGroup::People:
        return "People";
    case SymbolGroup::Services:
        return "Emergency and services";
    case SymbolGroup::Places:
        return "Places";
    case SymbolGroup::Radio:
        return "Radio and network";
    case SymbolGroup::Weather:
        return "Weather";
    case SymbolGroup::Other:
        return "Other";
    case SymbolGroup::Unassigned:
        return "Unassigned";
    }
    return "Other";
}

std::string DescribeSymbol(char table, char code) {
    std::string text = "'";
    text += code;
    text += table == kAlternateSymbolTable ? "' alternate table" : "' primary table";
    const AprsSymbol* symbol = FindSymbol(table, code);
    text += ": ";
    text += symbol ? symbol->name : std::string_view("not an APRS symbol");
    return text;
}

} // namespace korvel
