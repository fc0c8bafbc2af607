#include "settings/CodePageText.h"

#include "settings/CodePage.h"

#include <QList>

namespace korvel {

QString FromCodePage(std::string_view bytes) {
    return QString::fromStdString(CodePageToUtf8(bytes));
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
