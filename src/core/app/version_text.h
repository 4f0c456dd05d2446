#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// What the about box makes of the program's file version "a.b.c.d".
struct VersionTexts {
    std::string label;     // the about box's version line
    std::string shortText; // "a.b.c", for the splash; empty without a version
};

// label is labelCaption followed by "a.b.c  Build d (date)"; without a version
// it is labelCaption alone. Missing parts stay empty.
VersionTexts FormatVersionTexts(std::string_view labelCaption,
                                const std::optional<std::string>& fileVersion,
                                std::string_view buildDate);

} // namespace corvane
