#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel::rtf {

// What a control word does; words that are not in the table do nothing.
// clang-format off
enum class Word : std::uint8_t {
    Rtf, Deff, Ansicpg, Uc, U, Star, Par, Line, Tab, Page, Sect, Pard, Plain, Intbl, Cell,
    NestCell, Row, NestRow, Trowd, Cellx, CellShading, Bold, Italic, Underline, NoUnderline, Strike,
    FontSize, Font, ForeColor, BackColor, Super, Sub, NoSuperSub, Hidden, Up, Dn, AlignLeft,
    AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent, SpaceBefore,
    SpaceAfter, Style, OutlineLevel, FontTable, Fcharset, ColorTable, Red, Green, Blue,
    StyleSheet, ListText, Field, FldInst, FldRslt, ShpPict, Pict, PngBlip, JpegBlip, OtherBlip,
    PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY, SkipDestination, Bullet, EmDash,
    EnDash, LQuote, RQuote, LDblQuote, RDblQuote, EmSpace, EnSpace, BookmarkStart,
};
// clang-format on

// What `name` does, or nothing for a control word the reader ignores.
std::optional<Word> LookupControlWord(std::string_view name);

} // namespace korvel::rtf
