// Formatting of the transfer texts.
#include "TransferTypes.h"

#include "model/Preset.h"

#include <cstdio>

namespace presetor {

std::string FormatText(const char* format, int a, int b) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string PresetList(const std::vector<int>& indices) {
    std::string text;
    for (const int i : indices) {
        if (!text.empty()) {
            text += ", ";
        }
        text += PresetPositionText(i);
    }
    return text;
}

std::string TransferProgress::Text() const {
    if (textId == 130) {
        return FormatText(kText130, done, total);
    }
    if (textId == 147) {
        return FormatText(estimated ? kTextBytesEstimated : kText147, done, total);
    }
    return {};
}

} // namespace presetor
