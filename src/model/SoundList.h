// Sound lists: the banks and program names of one sound module, read from a ".sounds" text
// file, and the lookup of a sound by channel, bank select and program. Names are kept as the
// file's raw single-byte text.
#pragma once

#include "Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace presetor {

constexpr int kSoundsPerBank = 128;

class CSoundBank {
public:
    std::string name;
    std::uint8_t lsb = 0;
    std::uint8_t msb = 0;
    std::array<std::string, kSoundsPerBank> sounds;

    // The sound text of a program, or empty when the program is outside 0..127.
    std::string GetSoundName(int program) const;
};

class CSoundList {
public:
    std::string name;
    std::vector<CSoundBank> banks;

    // Reads a .sounds file. When it cannot be read the list is left empty and the result names
    // the file and the reason.
    Result Load(const std::string& path);
    // Replaces the list by the one the text describes; any text is accepted.
    bool LoadFromText(std::string_view text);

    // The first bank (file order) with these numbers: its name and its sound of program (empty
    // when unnamed or outside 0..127). False, with both texts empty, when there is no such bank.
    bool FindSound(int msb, int lsb, int program, std::string& bankName,
                   std::string& soundName) const;
};

// Entry of a channel assignment meaning "no sound list".
constexpr char kNoSoundList[] = " ";

// Looks up the sound that a split on channel (0..15) selects: listName = the channel's assigned
// list name; false when that is kNoSoundList, no list has that name (the first of equal names
// wins) or its FindSound fails.
bool LookupSound(const std::vector<CSoundList>& soundLists,
                 const std::array<std::string, 16>& channelAssignments, int channel, int msb,
                 int lsb, int program, std::string& listName, std::string& bankName,
                 std::string& soundName);

// Loads every "*.sounds" file of a directory in the order the file system lists them; a list
// whose file cannot be read is kept empty and its error appended to errors (when given).
std::vector<CSoundList> LoadSoundListsIn(const std::string& directory, std::vector<Result>* errors);

} // namespace presetor
