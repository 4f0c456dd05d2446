#include "core/app/version_text.h"

#include <array>

namespace corvane {

VersionTexts FormatVersionTexts(std::string_view labelCaption,
                                const std::optional<std::string>& fileVersion,
                                std::string_view buildDate) {
    VersionTexts texts{std::string(labelCaption), {}};
    if (!fileVersion)
        return texts;
    std::array<std::string, 4> parts;
    std::size_t part = 0;
    for (char c : *fileVersion) {
        if (c == '.') {
            if (++part == parts.size())
                break;
        } else {
            parts[part] += c;
        }
    }
    texts.shortText = parts[0] + "." + parts[1] + "." + parts[2];
    texts.label += texts.shortText + "  Build " + parts[3] + " (" + std::string(buildDate) + ")";
    return texts;
}

} // namespace corvane
