#include "ui/CodePageText.h"

#include "settings/CodePage.h"

#include <QList>

namespace korvel {

QString FromCodePage(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char byte : bytes) {
        const char32_t character = CodePageToUnicode(static_cast<std::uint8_t>(byte));
        text += QString::fromUcs4(&character, 1);
    }
    return text;
}

std::optional<std::string> ToCodePage(const QString& text) {
    std::string bytes;
    for (char32_t character : text.toUcs4()) {
        const auto byte = UnicodeToCodePage(character);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

} // namespace korvel
