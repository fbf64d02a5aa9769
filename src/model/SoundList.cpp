// The .sounds text format: "name=" and "bank=" lines (keys in any case) and "program,sound"
// lines, one per line ending in LF or CR LF; comments start with "*".
#include "SoundList.h"

#include "FileIo.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace presetor {

namespace {

constexpr std::size_t kKeySize = 5;

// A decimal number at the start of text as the keyboard's list files write them: leading blanks
// skipped, optional sign, digits up to the first other character; no digits gives 0. `clamped`
// saturates far beyond any valid value (for range checks); `low8` is the exact value modulo 256.
struct Number {
    long long clamped = 0;
    std::uint8_t low8 = 0;
};

Number ParseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kLimit = 1000000000000LL;
    long long value = 0;
    unsigned mod = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value < kLimit ? value * 10 + digit : kLimit;
        mod = (mod * 10 + static_cast<unsigned>(digit)) % 256;
    }
    Number n;
    n.clamped = negative ? -value : value;
    n.low8 = static_cast<std::uint8_t>(negative ? (256 - mod) % 256 : mod);
    return n;
}

std::string LowerKey(std::string_view line) {
    std::string key(line.substr(0, kKeySize));
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void ParseBankLine(std::string_view line, CSoundBank& bank) {
    const std::size_t comma = line.find(',', kKeySize);
    if (comma == std::string_view::npos)
        return; // no comma: an empty name, msb and lsb 0
    bank.name = std::string(line.substr(kKeySize, comma - kKeySize));
    const std::string_view numbers = line.substr(comma + 1);
    bank.msb = ParseNumber(numbers).low8;
    const std::size_t second = numbers.find(',');
    if (second != std::string_view::npos)
        bank.lsb = ParseNumber(numbers.substr(second + 1)).low8;
}

void ParseSoundLine(std::string_view line, std::vector<CSoundBank>& banks) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || banks.empty())
        return;
    const long long program = ParseNumber(line).clamped;
    if (program < 0 || program >= kSoundsPerBank)
        return;
    banks.back().sounds[static_cast<std::size_t>(program)] = std::string(line.substr(comma + 1));
}

} // namespace

std::string CSoundBank::GetSoundName(int program) const {
    if (program < 0 || program >= kSoundsPerBank)
        return {};
    return sounds[static_cast<std::size_t>(program)];
}

bool CSoundList::LoadFromText(std::string_view text) {
    name.clear();
    banks.clear();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (line.size() < 3 || line.front() == '*')
            continue;
        const std::string key = LowerKey(line);
        if (key == "name=") {
            if (name.empty())
                name = std::string(line.substr(kKeySize));
        } else if (key == "bank=") {
            banks.emplace_back();
            ParseBankLine(line, banks.back());
        } else {
            ParseSoundLine(line, banks);
        }
    }
    return true;
}

Result CSoundList::Load(const std::string& path) {
    name.clear();
    banks.clear();
    std::vector<std::uint8_t> bytes;
    if (Result r = ReadWholeFile(path, bytes); !r)
        return r;
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return Result::Ok();
}

bool CSoundList::FindSound(int msb, int lsb, int program, std::string& bankName,
                           std::string& soundName) const {
    bankName.clear();
    soundName.clear();
    for (const CSoundBank& bank : banks) {
        if (bank.msb == msb && bank.lsb == lsb) {
            bankName = bank.name;
            soundName = bank.GetSoundName(program);
            return true;
        }
    }
    return false;
}

bool LookupSound(const std::vector<CSoundList>& soundLists,
                 const std::array<std::string, 16>& channelAssignments, int channel, int msb,
                 int lsb, int program, std::string& listName, std::string& bankName,
                 std::string& soundName) {
    bankName.clear();
    soundName.clear();
    if (channel < 0 || channel >= static_cast<int>(channelAssignments.size())) {
        listName.clear();
        return false;
    }
    listName = channelAssignments[static_cast<std::size_t>(channel)];
    if (listName == kNoSoundList)
        return false;
    for (const CSoundList& list : soundLists)
        if (list.name == listName)
            return list.FindSound(msb, lsb, program, bankName, soundName);
    return false;
}

std::vector<CSoundList> LoadSoundListsIn(const std::string& directory,
                                         std::vector<Result>* errors) {
    std::vector<CSoundList> lists;
    std::error_code ec;
    std::filesystem::directory_iterator it(directory, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() != ".sounds" || it->is_directory(ec))
            continue;
        CSoundList list;
        Result r = list.Load(p.string());
        if (!r && errors)
            errors->push_back(r);
        lists.push_back(std::move(list));
    }
    return lists;
}

} // namespace presetor
