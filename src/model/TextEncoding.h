// The one decoding of outside texts (sound lists, file names in messages): UTF-8 where the bytes
// are valid UTF-8, and each byte that is not part of a valid UTF-8 sequence read as Latin-1.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace presetor {

// Length (1..4) of the valid UTF-8 sequence that starts at text[i], or 0 when none starts there
// (overlong forms, surrogates and values above U+10FFFF are not valid).
int Utf8SequenceLength(std::string_view text, std::size_t i);

// The text as valid UTF-8: valid sequences unchanged, every other byte as its Latin-1 character.
std::string Utf8OrLatin1(std::string_view bytes);

} // namespace presetor
