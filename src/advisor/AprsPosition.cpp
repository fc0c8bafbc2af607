#include "advisor/AprsPosition.h"

#include <array>
#include <cctype>

namespace korvel {
namespace {

constexpr std::size_t kLatitudeLength = 8;
constexpr std::size_t kLongitudeLength = 9;
constexpr int kMostAmbiguity = 4; // up to the tens of minutes

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// One coordinate: degrees, minutes and hundredths, spaces standing for the
// digits it leaves out from the right.
struct Coordinate {
    int degrees = 0;
    int minutes = 0;
    int hundredths = 0;
    int ambiguity = 0;
    char hemisphere = 'N';
};

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Reads "ddmm.hhN" (degreeDigits 2) or "dddmm.hhE" (3) at the start of text.
Result<Coordinate, std::string> ParseCoordinate(std::string_view text, std::size_t degreeDigits,
                                                std::string_view hemispheres, const char* name,
                                                int mostDegrees) {
    const std::size_t length = degreeDigits + 6;
    const std::string form = std::string(degreeDigits == 2 ? "ddmm.hh" : "dddmm.hh") + " and " +
                             hemispheres[0] + " or " + hemispheres[1];
    if (text.size() < length) {
        return Failure{std::string("the ") + name + " is cut short: write it as " + form};
    }
    const std::string_view written = text.substr(0, length);
    const std::size_t dot = degreeDigits + 2;
    Coordinate c;
    std::array<int, 7> digits{};
    std::size_t count = 0;
    bool spaced = false;
    for (std::size_t i = 0; i + 1 < length; ++i) {
        if (i == dot) {
            if (written[i] != '.') {
                return Failure{std::string("the ") + name + " " + Quoted(written) +
                               " is not written as " + form};
            }
            continue;
        }
        const char ch = written[i];
        const bool isSpace = ch == ' ';
        if ((!IsDigit(ch) && !isSpace) || (spaced && !isSpace)) {
            return Failure{std::string("the ") + name + " " + Quoted(written) +
                           " is not written as " + form};
        }
        spaced = spaced || isSpace;
        c.ambiguity += isSpace ? 1 : 0;
        digits[count++] = isSpace ? 0 : ch - '0';
    }
    if (c.ambiguity > kMostAmbiguity) {
        return Failure{std::string("the ") + name + " " + Quoted(written) +
                       " leaves out its degrees"};
    }
    c.hemisphere = written[length - 1];
    if (hemispheres.find(c.hemisphere) == std::string_view::npos) {
        return Failure{std::string("the ") + name + " " + Quoted(written) + " ends in " +
                       Quoted(std::string(1, c.hemisphere)) + ", not " + hemispheres[0] + " or " +
                       hemispheres[1]};
    }
    for (std::size_t i = 0; i < degreeDigits; ++i) {
        c.degrees = c.degrees * 10 + digits[i];
    }
    c.minutes = digits[degreeDigits] * 10 + digits[degreeDigits + 1];
    c.hundredths = digits[degreeDigits + 2] * 10 + digits[degreeDigits + 3];
    if (c.degrees > mostDegrees) {
        return Failure{std::string(name) + " degrees " + std::to_string(c.degrees) +
                       " are out of range (0 to " + std::to_string(mostDegrees) + ")"};
    }
    if (c.minutes > 59) {
        return Failure{std::string(name) + " minutes " + std::to_string(c.minutes) +
                       " are out of range (0 to 59)"};
    }
    if (c.degrees == mostDegrees && (c.minutes != 0 || c.hundredths != 0)) {
        return Failure{std::string("the ") + name + " " + Quoted(written) + " lies beyond " +
                       std::to_string(mostDegrees) + " degrees"};
    }
    return c;
}

Result<Coordinate, std::string> ParseLatitude(std::string_view text) {
    return ParseCoordinate(text, 2, "NS", "latitude", 90);
}

Result<Coordinate, std::string> ParseLongitude(std::string_view text) {
    return ParseCoordinate(text, 3, "EW", "longitude", 180);
}

// The table character: the primary or alternate table, or an overlay on the
// alternate one (a digit or a capital letter).
bool IsTableCharacter(char c) {
    return c == '/' || c == '\\' || IsDigit(c) || (c >= 'A' && c <= 'Z');
}

// "49 deg 03.50 min N", leaving out the digits an ambiguous position leaves out.
std::string CoordinateInWords(std::string_view written, std::size_t degreeDigits, int ambiguity) {
    const int degrees = std::stoi(std::string(written.substr(0, degreeDigits)));
    const char hemisphere = written.back();
    const std::string minutes(written.substr(degreeDigits, 5)); // "mm.hh"
    std::string words = std::to_string(degrees) + " deg ";
    switch (ambiguity) {
    case 0:
        words += minutes + " min ";
        break;
    case 1:
        words += minutes.substr(0, 4) + " min ";
        break;
    case 2:
        words += minutes.substr(0, 2) + " min ";
        break;
    case 3:
        words += minutes.substr(0, 1) + "0-" + minutes.substr(0, 1) + "9 min ";
        break;
    default:
        break;
    }
    return words + hemisphere;
}

} // namespace

Result<AprsPosition, std::string> ParseAprsPosition(std::string_view text) {
    const auto latitude = ParseLatitude(text);
    if (!latitude) {
        return Failure{latitude.error()};
    }
    if (text.size() <= kLatitudeLength) {
        return Failure{std::string("no symbol table character and longitude after the latitude")};
    }
    const std::string_view rest = text.substr(kLatitudeLength);
    if (ParseLongitude(rest)) {
        return Failure{std::string("no symbol table character between latitude and longitude")};
    }
    if (!IsTableCharacter(rest[0])) {
        return Failure{"the symbol table character " + Quoted(rest.substr(0, 1)) +
                       " is none of '/', '\\', a digit or a capital letter"};
    }
    const auto longitude = ParseLongitude(rest.substr(1));
    if (!longitude) {
        return Failure{longitude.error()};
    }
    const std::size_t symbolAt = kLatitudeLength + 1 + kLongitudeLength;
    if (text.size() <= symbolAt || text[symbolAt] < '!' || text[symbolAt] > '~') {
        return Failure{std::string("no symbol code after the longitude")};
    }
    AprsPosition position;
    position.latitude = std::string(text.substr(0, kLatitudeLength));
    position.table = rest[0];
    position.longitude = std::string(rest.substr(1, kLongitudeLength));
    position.symbol = text[symbolAt];
    position.ambiguity = latitude->ambiguity;
    return position;
}

Result<AprsPosition, std::string> FindStatusPosition(std::string_view status) {
    auto atStart = ParseAprsPosition(status);
    if (atStart) {
        return atStart;
    }
    if (ParseLongitude(status)) {
        return Failure{std::string("the longitude comes first: write the latitude first, "
                                   "then the symbol table character and the longitude")};
    }
    for (std::size_t at = 1; at + kAprsPositionLength <= status.size(); ++at) {
        if (const auto later = ParseAprsPosition(status.substr(at))) {
            return Failure{"the text " + Quoted(status.substr(0, at)) +
                           " stands before the position (" + PositionInWords(*later) +
                           "): the position must start the text"};
        }
    }
    if (!ParseLatitude(status) && !IsDigit(status.empty() ? ' ' : status[0])) {
        return Failure{std::string("it holds no position at its start")};
    }
    return atStart;
}

std::string PositionInWords(const AprsPosition& position) {
    return CoordinateInWords(position.latitude, 2, position.ambiguity) + ", " +
           CoordinateInWords(position.longitude, 3, position.ambiguity);
}

} // namespace korvel
