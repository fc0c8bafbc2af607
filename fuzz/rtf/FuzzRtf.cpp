// Any input must give a document, never a crash or a hang, and the renderer
// must lay out whatever the reader produced.

#include "rtf/PlainTextRenderer.h"
#include "rtf/RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const korvel::rtf::Document document = korvel::rtf::ReadRtf(input);
    const int width = size > 0 ? 20 + data[0] % 100 : 80;
    const std::string text = korvel::rtf::RenderPlainText(document, width);
    if (!document.isRtf && !text.empty()) {
        __builtin_trap(); // a document that is not RTF has no content
    }
    return 0;
}
