// Fuzzes the sound-list parser and the lookups on what it built.
#include "FuzzCheck.h"
#include "model/SoundList.h"
#include "model/TextEncoding.h"

using namespace presetor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSoundList list;
    list.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string bankName, soundName;
    for (const CSoundBank& bank : list.banks) {
        FUZZ_CHECK(list.FindSound(bank.msb, bank.lsb, 0, bankName, soundName));
        FUZZ_CHECK(bank.GetSoundName(128).empty());
        FUZZ_CHECK(bank.name.find('\n') == std::string::npos);
        FUZZ_CHECK(bank.msb <= 127 && bank.lsb <= 127);
        // Every text is held as valid UTF-8.
        FUZZ_CHECK(Utf8OrLatin1(bank.name) == bank.name);
        for (int program = 0; program < kSoundsPerBank; ++program) {
            const std::string sound = bank.GetSoundName(program);
            FUZZ_CHECK(Utf8OrLatin1(sound) == sound);
        }
    }
    FUZZ_CHECK(list.name.find('\n') == std::string::npos);
    FUZZ_CHECK(Utf8OrLatin1(list.name) == list.name);
    FUZZ_CHECK(list.problems.size() <= kReportedProblems);
    FUZZ_CHECK(list.problems.size() <= list.problemCount);

    std::array<std::string, 16> channels;
    channels.fill(kNoSoundList);
    channels[3] = list.name;
    std::string listName;
    const std::vector<CSoundList> lists = {list};
    const bool found = LookupSound(lists, channels, 3, 0, 0, 0, listName, bankName, soundName);
    FUZZ_CHECK(listName == list.name);
    FUZZ_CHECK(!found || list.name != kNoSoundList);
    return 0;
}
