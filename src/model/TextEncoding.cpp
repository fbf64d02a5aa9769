// UTF-8 validation and the Latin-1 fallback for single bytes.
#include "TextEncoding.h"

namespace presetor {

int Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80)
        return 1;
    int length = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) {
        length = 2;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < static_cast<std::size_t>(length))
        return 0;
    char32_t value = c & (0x7Fu >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

std::string Utf8OrLatin1(std::string_view bytes) {
    std::size_t i = 0;
    // Most texts are plain ASCII or valid UTF-8: copied unchanged.
    while (i < bytes.size()) {
        const int length = Utf8SequenceLength(bytes, i);
        if (length == 0)
            break;
        i += static_cast<std::size_t>(length);
    }
    std::string text(bytes.substr(0, i));
    while (i < bytes.size()) {
        const int length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
            ++i;
        } else {
            text.append(bytes.substr(i, static_cast<std::size_t>(length)));
            i += static_cast<std::size_t>(length);
        }
    }
    return text;
}

} // namespace presetor
