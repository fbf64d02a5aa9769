// Formatting of the transfer texts.
#include "TransferTypes.h"

#include <cstdio>

namespace presetor {

std::string FormatText(const char* format, int a, int b) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string TransferProgress::Text() const {
    if (textId == 130) {
        return FormatText(kText130, done, total);
    }
    if (textId == 147) {
        return FormatText(kText147, done, total);
    }
    return {};
}

} // namespace presetor
