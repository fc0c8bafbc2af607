#pragma once

#include "settings/FieldTable.h"

#include <string>

namespace korvel::test {

// What Load says of a file that ends before its value `n` (1-based), with the
// count and the caption from the field table.
inline std::string EndOfFileBefore(std::size_t n) {
    const auto saved = SavedFields();
    return "end of file before value " + std::to_string(n) + " of " + std::to_string(saved.size()) +
           " (" + CaptionOf(saved[n - 1]) + ")";
}

// The settings file that the factory defaults give, byte for byte, written out
// rather than written by the codec so that the tests compare the settings-file
// writer and reader with an independent copy.
inline const std::string kDefaultsFile =
    "\"1\",\"200\",\"006\",0,\">\",0\r\n"
    "\"0480\"\r\n"
    "\"0360\"\r\n"
    "\"250\"\r\n"
    "\"180\"\r\n"
    "\"130\"\r\n"
    "\"110\"\r\n"
    "\"090\"\r\n"
    "\"0120\",3,\"025\",\"QKORVL\",\"NOCALL-9\",\"WIDE1-1,WIDE2-2\","
    "\"Korvel v2.5 by QX7ZUL Tev\",\"NOCALL\",\"Message sent using Korvel ver 2.5!\"\r\n";

} // namespace korvel::test
