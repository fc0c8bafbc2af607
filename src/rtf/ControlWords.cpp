#include "rtf/ControlWords.h"

#include <unordered_map>

namespace korvel::rtf {
namespace {

const std::unordered_map<std::string_view, Word>& WordTable() {
    // clang-format off
    static const std::unordered_map<std::string_view, Word> table = {
        {"rtf", Word::Rtf}, {"deff", Word::Deff}, {"ansicpg", Word::Ansicpg}, {"uc", Word::Uc},
        {"u", Word::U}, {"par", Word::Par}, {"line", Word::Line}, {"tab", Word::Tab},
        {"page", Word::Page}, {"sect", Word::Sect}, {"pard", Word::Pard}, {"plain", Word::Plain},
        {"intbl", Word::Intbl}, {"cell", Word::Cell}, {"nestcell", Word::NestCell},
        {"row", Word::Row}, {"nestrow", Word::NestRow}, {"trowd", Word::Trowd},
        {"cellx", Word::Cellx}, {"clcbpat", Word::CellShading}, {"b", Word::Bold}, {"i", Word::Italic}, {"ul", Word::Underline},
        {"uld", Word::Underline}, {"uldb", Word::Underline}, {"uldash", Word::Underline},
        {"ulth", Word::Underline}, {"ulw", Word::Underline}, {"ulwave", Word::Underline},
        {"ulnone", Word::NoUnderline}, {"strike", Word::Strike}, {"striked", Word::Strike},
        {"fs", Word::FontSize}, {"f", Word::Font}, {"cf", Word::ForeColor},
        {"highlight", Word::BackColor}, {"cb", Word::BackColor}, {"chcbpat", Word::BackColor},
        {"super", Word::Super}, {"sub", Word::Sub}, {"nosupersub", Word::NoSuperSub},
        {"v", Word::Hidden}, {"up", Word::Up}, {"dn", Word::Dn}, {"ql", Word::AlignLeft},
        {"qc", Word::AlignCenter}, {"qr", Word::AlignRight}, {"qj", Word::AlignJustify},
        {"li", Word::LeftIndent}, {"ri", Word::RightIndent}, {"fi", Word::FirstIndent},
        {"sb", Word::SpaceBefore}, {"sa", Word::SpaceAfter}, {"s", Word::Style},
        {"outlinelevel", Word::OutlineLevel}, {"fonttbl", Word::FontTable},
        {"fcharset", Word::Fcharset}, {"colortbl", Word::ColorTable}, {"red", Word::Red},
        {"green", Word::Green}, {"blue", Word::Blue}, {"stylesheet", Word::StyleSheet},
        {"listtext", Word::ListText}, {"pntext", Word::ListText}, {"field", Word::Field},
        {"fldinst", Word::FldInst}, {"fldrslt", Word::FldRslt}, {"shppict", Word::ShpPict},
        {"pict", Word::Pict}, {"pngblip", Word::PngBlip}, {"jpegblip", Word::JpegBlip},
        {"emfblip", Word::OtherBlip}, {"wmetafile", Word::OtherBlip}, {"macpict", Word::OtherBlip},
        {"dibitmap", Word::OtherBlip}, {"wbitmap", Word::OtherBlip}, {"picw", Word::PicW},
        {"pich", Word::PicH}, {"picwgoal", Word::PicWGoal}, {"pichgoal", Word::PicHGoal},
        {"picscalex", Word::PicScaleX}, {"picscaley", Word::PicScaleY}, {"bullet", Word::Bullet},
        {"emdash", Word::EmDash}, {"endash", Word::EnDash}, {"lquote", Word::LQuote},
        {"rquote", Word::RQuote}, {"ldblquote", Word::LDblQuote}, {"rdblquote", Word::RDblQuote},
        {"emspace", Word::EmSpace}, {"enspace", Word::EnSpace},
        // Destinations that carry no text of the document.
        {"info", Word::SkipDestination}, {"header", Word::SkipDestination},
        {"headerl", Word::SkipDestination}, {"headerr", Word::SkipDestination},
        {"headerf", Word::SkipDestination}, {"footer", Word::SkipDestination},
        {"footerl", Word::SkipDestination}, {"footerr", Word::SkipDestination},
        {"footerf", Word::SkipDestination}, {"footnote", Word::SkipDestination},
        {"annotation", Word::SkipDestination}, {"object", Word::SkipDestination},
        {"nonshppict", Word::SkipDestination}, {"xe", Word::SkipDestination},
        {"tc", Word::SkipDestination}, {"tcn", Word::SkipDestination},
        {"pn", Word::SkipDestination}, {"pntxta", Word::SkipDestination},
        {"pntxtb", Word::SkipDestination}, {"filetbl", Word::SkipDestination},
        {"revtbl", Word::SkipDestination}, {"rsidtbl", Word::SkipDestination},
        {"listtable", Word::SkipDestination}, {"listoverridetable", Word::SkipDestination},
        {"themedata", Word::SkipDestination}, {"colorschememapping", Word::SkipDestination},
        {"latentstyles", Word::SkipDestination}, {"datastore", Word::SkipDestination},
        {"generator", Word::SkipDestination}, {"template", Word::SkipDestination},
        {"userprops", Word::SkipDestination}, {"docvar", Word::SkipDestination},
        {"private", Word::SkipDestination}, {"bkmkstart", Word::BookmarkStart},
        {"bkmkend", Word::SkipDestination},
    };
    // clang-format on
    return table;
}

} // namespace

std::optional<Word> LookupControlWord(std::string_view name) {
    const auto& table = WordTable();
    const auto found = table.find(name);
    if (found == table.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace korvel::rtf
