// Fuzzes the sound-list parser and the lookups on what it built.
#include "FuzzCheck.h"
#include "model/SoundList.h"

using namespace presetor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSoundList list;
    list.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string bankName, soundName;
    for (const CSoundBank& bank : list.banks) {
        FUZZ_CHECK(list.FindSound(bank.msb, bank.lsb, 0, bankName, soundName));
        FUZZ_CHECK(bank.GetSoundName(128).empty());
        FUZZ_CHECK(bank.name.find('\n') == std::string::npos);
    }
    FUZZ_CHECK(list.name.find('\n') == std::string::npos);

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
