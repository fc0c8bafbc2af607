#include "advisor/AprsSymbols.h"

#include <array>

namespace korvel {
namespace {

using Group = SymbolGroup;

// The APRS symbols of both tables, 94 each, named as today's maps draw them
// (the symbol index that aprs.fi uses), which also decides whether a symbol is
// assigned: the numbered circles, the weather symbols of the alternate table and
// the shelter are, though the APRS symbols list of 25 Nov 2015 left them open.
// The SSID is the one that stands for the symbol in an address without a symbol
// (APRS 1.01, SSID-derived symbols; 0 for none), and `mobile` marks the list's
// "just mobile" symbols. Symbols no map draws and the TNC stream switches are
// grouped as Unassigned.
constexpr std::array<AprsSymbol, 188> kSymbols = {{
    {'/', '!', "Police, Sheriff", 0, true, Group::Services},
    {'\\', '!', "Emergency", 0, false, Group::Services},
    {'/', '"', "Unassigned", 0, false, Group::Unassigned},
    {'\\', '"', "Unassigned", 0, false, Group::Unassigned},
    {'/', '#', "Digipeater", 0, false, Group::Radio},
    {'\\', '#', "Digipeater (green star)", 0, false, Group::Radio},
    {'/', '$', "Telephone", 0, false, Group::Radio},
    {'\\', '$', "Bank or ATM", 0, false, Group::Places},
    {'/', '%', "DX cluster", 0, false, Group::Radio},
    {'\\', '%', "Power Plant with overlay", 0, false, Group::Places},
    {'/', '&', "HF gateway", 0, false, Group::Radio},
    {'\\', '&', "Black diamond / gateway with overlay", 0, false, Group::Radio},
    {'/', '\'', "Small aircraft", 11, true, Group::Vehicles},
    {'\\', '\'', "Crash / incident site", 0, false, Group::Services},
    {'/', '(', "Mobile satellite station", 0, true, Group::Vehicles},
    {'\\', '(', "Cloudy", 0, false, Group::Weather},
    {'/', ')', "Wheelchair, handicapped", 0, true, Group::People},
    {'\\', ')', "Firenet MEO / MODIS Earth Observation", 0, false, Group::Weather},
    {'/', '*', "Snowmobile", 0, true, Group::Vehicles},
    {'\\', '*', "Snow", 0, false, Group::Weather},
    {'/', '+', "Red Cross", 0, false, Group::Services},
    {'\\', '+', "Church", 0, false, Group::Places},
    {'/', ',', "Boy Scouts", 0, false, Group::People},
    {'\\', ',', "Girl Scouts", 0, false, Group::People},
    {'/', '-', "House", 0, false, Group::Radio},
    {'\\', '-', "House (HF antenna)", 0, false, Group::Radio},
    {'/', '.', "Red X", 0, false, Group::Other},
    {'\\', '.', "Ambiguous (question mark inside circle)", 0, false, Group::Other},
    {'/', '/', "Red dot", 0, false, Group::Other},
    {'\\', '/', "Waypoint destination", 0, false, Group::Places},
    {'/', '0', "Numbered circle: 0", 0, true, Group::Other},
    {'\\', '0', "Circle (I/E = IRLP/Echolink)", 0, false, Group::Radio},
    {'/', '1', "Numbered circle: 1", 0, true, Group::Other},
    {'\\', '1', "Unassigned", 0, false, Group::Unassigned},
    {'/', '2', "Numbered circle: 2", 0, true, Group::Other},
    {'\\', '2', "Unassigned", 0, false, Group::Unassigned},
    {'/', '3', "Numbered circle: 3", 0, true, Group::Other},
    {'\\', '3', "Unassigned", 0, false, Group::Unassigned},
    {'/', '4', "Numbered circle: 4", 0, true, Group::Other},
    {'\\', '4', "Unassigned", 0, false, Group::Unassigned},
    {'/', '5', "Numbered circle: 5", 0, true, Group::Other},
    {'\\', '5', "Unassigned", 0, false, Group::Unassigned},
    {'/', '6', "Numbered circle: 6", 0, true, Group::Other},
    {'\\', '6', "Unassigned", 0, false, Group::Unassigned},
    {'/', '7', "Numbered circle: 7", 0, true, Group::Other},
    {'\\', '7', "Unassigned", 0, false, Group::Unassigned},
    {'/', '8', "Numbered circle: 8", 0, true, Group::Other},
    {'\\', '8', "802.11 WLAN or other network node", 0, false, Group::Radio},
    {'/', '9', "Numbered circle: 9", 0, true, Group::Other},
    {'\\', '9', "Gas station (blue pump)", 0, false, Group::Places},
    {'/', ':', "Fire", 0, false, Group::Services},
    {'\\', ':', "Hail", 0, false, Group::Weather},
    {'/', ';', "Campground, tent", 0, false, Group::Places},
    {'\\', ';', "Park / picnic area", 0, false, Group::Places},
    {'/', '<', "Motorcycle", 10, true, Group::Vehicles},
    {'\\', '<', "Advisory (single red flag)", 0, false, Group::Weather},
    {'/', '=', "Railroad engine", 0, true, Group::Vehicles},
    {'\\', '=', "Unassigned", 0, false, Group::Unassigned},
    {'/', '>', "Car", 9, true, Group::Vehicles},
    {'\\', '>', "Red car (with overlay)", 0, true, Group::Vehicles},
    {'/', '?', "File server", 0, false, Group::Radio},
    {'\\', '?', "Info kiosk (blue box with question mark)", 0, false, Group::Places},
    {'/', '@', "Hurricane predicted path", 0, false, Group::Other},
    {'\\', '@', "Hurricane / Tropical storm", 0, false, Group::Weather},
    {'/', 'A', "Aid station", 0, false, Group::Services},
    {'\\', 'A', "White box", 0, false, Group::Other},
    {'/', 'B', "BBS or PBBS", 0, false, Group::Radio},
    {'\\', 'B', "Blowing snow", 0, false, Group::Weather},
    {'/', 'C', "Canoe", 0, true, Group::Vehicles},
    {'\\', 'C', "Coast Guard / Orange circle", 0, false, Group::Services},
    {'/', 'D', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'D', "Drizzling rain", 0, false, Group::Weather},
    {'/', 'E', "Eyeball, eye catcher", 0, false, Group::People},
    {'\\', 'E', "Smoke / Chimney", 0, false, Group::Weather},
    {'/', 'F', "Farm vehicle, tractor", 0, true, Group::Vehicles},
    {'\\', 'F', "Freezing rain", 0, false, Group::Weather},
    {'/', 'G', "Grid square, 3 by 3", 0, false, Group::Other},
    {'\\', 'G', "Snow shower", 0, false, Group::Weather},
    {'/', 'H', "Hotel", 0, false, Group::Places},
    {'\\', 'H', "Haze", 0, false, Group::Weather},
    {'/', 'I', "TCP/IP network station", 0, false, Group::Radio},
    {'\\', 'I', "Rain Shower", 0, false, Group::Weather},
    {'/', 'J', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'J', "Lightning", 0, false, Group::Weather},
    {'/', 'K', "School", 0, false, Group::Places},
    {'\\', 'K', "Kenwood HT (W)", 0, true, Group::People},
    {'/', 'L', "User logged-on status", 0, false, Group::People},
    {'\\', 'L', "Lighthouse", 0, false, Group::Places},
    {'/', 'M', "Mac apple", 0, false, Group::Radio},
    {'\\', 'M', "MARS (A=Army,N=Navy,F=AF)", 0, false, Group::Services},
    {'/', 'N', "NTS station", 0, false, Group::Services},
    {'\\', 'N', "Navigation Buoy", 0, false, Group::Places},
    {'/', 'O', "Balloon", 11, true, Group::Vehicles},
    {'\\', 'O', "Rocket", 0, true, Group::Vehicles},
    {'/', 'P', "Police", 0, true, Group::Services},
    {'\\', 'P', "Parking", 0, false, Group::Places},
    {'/', 'Q', "Unassigned", 0, false, Group::Unassigned},
    {'\\', 'Q', "Earthquake", 0, false, Group::Weather},
    {'/', 'R', "RV, recreational vehicle", 13, true, Group::Vehicles},
    {'\\', 'R', "Restaurant", 0, false, Group::Places},
    {'/', 'S', "Space Shuttle", 0, true, Group::Vehicles},
    {'\\', 'S', "Satellite", 0, true, Group::Vehicles},
    {'/', 'T', "SSTV", 0, false, Group::Radio},
    {'\\', 'T', "Thunderstorm", 0, false, Group::Weather},
    {'/', 'U', "Bus", 2, true, Group::Vehicles},
    {'\\', 'U', "Sunny", 0, false, Group::Weather},
    {'/', 'V', "ATV, Amateur Television", 0, false, Group::Radio},
    {'\\', 'V', "VORTAC Navigational Aid", 0, false, Group::Places},
    {'/', 'W', "Weather service site", 0, false, Group::Weather},
    {'\\', 'W', "NWS site (NWS options)", 0, false, Group::Weather},
    {'/', 'X', "Helicopter", 6, true, Group::Vehicles},
    {'\\', 'X', "Pharmacy", 0, false, Group::Services},
    {'/', 'Y', "Sailboat", 5, true, Group::Vehicles},
    {'\\', 'Y', "Radios and devices", 0, true, Group::People},
    {'/', 'Z', "Windows flag", 0, false, Group::Radio},
    {'\\', 'Z', "Unassigned", 0, false, Group::Unassigned},
    {'/', '[', "Human", 7, true, Group::People},
    {'\\', '[', "Wall Cloud", 0, true, Group::Weather},
    {'/', '\\', "DF triangle", 0, true, Group::Other},
    {'\\', '\\', "New overlayable GPS symbol", 0, true, Group::Other},
    {'/', ']', "Mailbox / post office", 0, false, Group::Places},
    {'\\', ']', "Unassigned", 0, false, Group::Unassigned},
    {'/', '^', "Large aircraft", 0, true, Group::Vehicles},
    {'\\', '^', "Aircraft", 0, true, Group::Vehicles},
    {'/', '_', "Weather station", 0, false, Group::Weather},
    {'\\', '_', "Weather site", 0, false, Group::Weather},
    {'/', '`', "Satellite dish antenna", 0, false, Group::Radio},
    {'\\', '`', "Rain", 0, false, Group::Weather},
    {'/', 'a', "Ambulance", 1, true, Group::Vehicles},
    {'\\', 'a', "Red diamond (ARES etc.)", 0, false, Group::Services},
    {'/', 'b', "Bicycle", 4, true, Group::Vehicles},
    {'\\', 'b', "Blowing Dust/Sand", 0, false, Group::Weather},
    {'/', 'c', "Incident command post", 0, false, Group::Services},
    {'\\', 'c', "CD. RACES, CERTS, SATERN", 0, false, Group::Services},
    {'/', 'd', "Fire station", 0, false, Group::Services},
    {'\\', 'd', "DX spot", 0, false, Group::Radio},
    {'/', 'e', "Horse, equestrian", 0, true, Group::People},
    {'\\', 'e', "Sleet", 0, false, Group::Weather},
    {'/', 'f', "Fire truck", 3, true, Group::Vehicles},
    {'\\', 'f', "Funnel Cloud", 0, false, Group::Weather},
    {'/', 'g', "Glider", 0, true, Group::Vehicles},
    {'\\', 'g', "Two red flags / Gale flags", 0, false, Group::Weather},
    {'/', 'h', "Hospital", 0, false, Group::Services},
    {'\\', 'h', "Store / ham store", 0, false, Group::Places},
    {'/', 'i', "IOTA (islands on the air)", 0, false, Group::Places},
    {'\\', 'i', "Black box / point of interest", 0, false, Group::Places},
    {'/', 'j', "Jeep", 12, true, Group::Vehicles},
    {'\\', 'j', "Work zone (excavating machine)", 0, false, Group::Places},
    {'/', 'k', "Truck", 14, true, Group::Vehicles},
    {'\\', 'k', "SUV / ATV", 0, true, Group::Vehicles},
    {'/', 'l', "Laptop", 0, false, Group::People},
    {'\\', 'l', "Areas (box,circles,etc)", 0, false, Group::Places},
    {'/', 'm', "Mic-E Repeater", 0, false, Group::Radio},
    {'\\', 'm', "Value Sign (3 digit display)", 0, false, Group::Radio},
    {'/', 'n', "Node (black bulls-eye)", 0, false, Group::Radio},
    {'\\', 'n', "Red triangle", 0, false, Group::Radio},
    {'/', 'o', "Emergency Operations Center", 0, false, Group::Services},
    {'\\', 'o', "Small circle", 0, false, Group::Other},
    {'/', 'p', "Dog", 0, true, Group::People},
    {'\\', 'p', "Partly cloudy", 0, false, Group::Weather},
    {'/', 'q', "Grid square (2 by 2)", 0, false, Group::Other},
    {'\\', 'q', "Unassigned", 0, false, Group::Unassigned},
    {'/', 'r', "Repeater tower", 0, false, Group::Radio},
    {'\\', 'r', "Restrooms", 0, false, Group::Places},
    {'/', 's', "Ship / power boat", 8, true, Group::Vehicles},
    {'\\', 's', "Ship / boat with overlay", 0, true, Group::Vehicles},
    {'/', 't', "Truck stop", 0, false, Group::Places},
    {'\\', 't', "Tornado", 0, false, Group::Weather},
    {'/', 'u', "Semi-trailer truck / 18-wheeler", 0, true, Group::Vehicles},
    {'\\', 'u', "Truck with overlay", 0, true, Group::Vehicles},
    {'/', 'v', "Van", 15, true, Group::Vehicles},
    {'\\', 'v', "Van with overlay", 0, true, Group::Vehicles},
    {'/', 'w', "Water station", 0, false, Group::Weather},
    {'\\', 'w', "Flooding", 0, false, Group::Weather},
    {'/', 'x', "X / Unix", 0, false, Group::Radio},
    {'\\', 'x', "Wreck or Obstruction", 0, false, Group::Services},
    {'/', 'y', "House (yagi antenna)", 0, false, Group::Radio},
    {'\\', 'y', "Skywarn", 0, false, Group::Weather},
    {'/', 'z', "Shelter", 0, false, Group::Places},
    {'\\', 'z', "Shelter with overlay", 0, false, Group::Places},
    {'/', '{', "Unassigned", 0, false, Group::Unassigned},
    {'\\', '{', "Fog", 0, false, Group::Weather},
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
