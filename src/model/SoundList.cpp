// The .sounds text format: "name=" and "bank=" lines (keys in any case) and "program,sound"
// lines, one per line ending in LF or CR LF; comments start with "*".
#include "SoundList.h"

#include "FileIo.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace presetor {

namespace {

constexpr std::size_t kKeySize = 5;
constexpr int kMaxDataByte = 127; // bank select and program values are MIDI data bytes

// A decimal number at the start of text: leading blanks skipped, optional sign, digits, then
// only blanks. `value` saturates far beyond any valid value.
struct Number {
    bool valid = false; // digits and nothing but blanks after them
    bool digits = false;
    long long value = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

Number ParseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kLimit = 1000000000000LL;
    Number n;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n.digits = true;
        n.value = n.value < kLimit ? n.value * 10 + (text[i] - '0') : kLimit;
    }
    if (negative)
        n.value = -n.value;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    n.valid = n.digits && i == text.size();
    return n;
}

// The reason a bank-select field is unusable, or empty when it holds 0..127.
std::string CheckDataByte(const Number& n, std::string_view field, const char* what) {
    if (!n.valid)
        return std::string(what) + " \"" + std::string(field.substr(0, 20)) + "\" is not a number";
    if (n.value < 0 || n.value > kMaxDataByte)
        return std::string(what) + " " + std::to_string(n.value) + " is outside 0 to 127";
    return {};
}

// A "bank=" line: the name between the key and the first comma, the MSB after it and the LSB
// (0 when not given) after a second comma, both 0..127.
struct BankLine {
    std::string_view name;
    long long msb = 0;
    long long lsb = 0;
    std::string reason; // why the line cannot be used
};

bool ReadBankLine(std::string_view line, BankLine& bank) {
    const std::size_t comma = line.find(',', kKeySize);
    if (comma == std::string_view::npos) {
        bank.reason = "bank line without \",MSB,LSB\"";
        return false;
    }
    bank.name = line.substr(kKeySize, comma - kKeySize);
    const std::string_view numbers = line.substr(comma + 1);
    const std::size_t second = numbers.find(',');
    const std::string_view msbField = numbers.substr(0, second);
    const Number msb = ParseNumber(msbField);
    bank.reason = CheckDataByte(msb, msbField, "bank MSB");
    bank.msb = msb.value;
    if (bank.reason.empty() && second != std::string_view::npos) {
        const std::string_view lsbField = numbers.substr(second + 1);
        const Number lsb = ParseNumber(lsbField);
        bank.reason = CheckDataByte(lsb, lsbField, "bank LSB");
        bank.lsb = lsb.value;
    }
    if (bank.reason.empty() && bank.name.empty())
        bank.reason = "bank without a name";
    return bank.reason.empty();
}

std::string LowerKey(std::string_view line) {
    std::string key(line.substr(0, kKeySize));
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool IsKey(std::string_view line, const char* key) {
    return line.size() >= kKeySize && LowerKey(line) == key;
}

std::string LengthBytes(std::uint32_t n) {
    std::string bytes(4, '\0');
    for (std::size_t k = 0; k < 4; ++k)
        bytes[k] = static_cast<char>((n >> (8 * k)) & 0xFF);
    return bytes;
}

std::uint32_t GetLength(std::string_view from, std::size_t at) {
    std::uint32_t n = 0;
    for (std::size_t k = 0; k < 4; ++k)
        n |= static_cast<std::uint32_t>(static_cast<unsigned char>(from[at + 1 + k])) << (8 * k);
    return n;
}

constexpr std::size_t kRecordHead = 5; // program byte and 4-byte length

// The offset of the record of program in packed, or npos.
std::size_t FindRecord(std::string_view packed, int program) {
    for (std::size_t at = 0; at < packed.size(); at += kRecordHead + GetLength(packed, at))
        if (static_cast<unsigned char>(packed[at]) == program)
            return at;
    return std::string::npos;
}

constexpr std::size_t kBlockHead = 8; // length and capacity of a CompactBytes block

std::uint32_t BlockField(const char* block, std::size_t offset) {
    std::uint32_t n = 0;
    std::memcpy(&n, block + offset, sizeof n);
    return n;
}

void SetBlockField(char* block, std::size_t offset, std::size_t n) {
    const auto v = static_cast<std::uint32_t>(n);
    std::memcpy(block + offset, &v, sizeof v);
}

} // namespace

CompactBytes::CompactBytes(const CompactBytes& other) {
    Append(other.View());
}

CompactBytes& CompactBytes::operator=(const CompactBytes& other) {
    if (this != &other) {
        CompactBytes copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CompactBytes::CompactBytes(CompactBytes&& other) noexcept : block_(other.block_) {
    other.block_ = nullptr;
}

CompactBytes& CompactBytes::operator=(CompactBytes&& other) noexcept {
    if (this != &other) {
        ::operator delete(block_);
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

CompactBytes::~CompactBytes() {
    ::operator delete(block_);
}

std::string_view CompactBytes::View() const {
    if (!block_)
        return {};
    return {block_ + kBlockHead, BlockField(block_, 0)};
}

void CompactBytes::Reserve(std::size_t capacity) {
    if (capacity > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("sound bank too large");
    const std::size_t size = block_ ? BlockField(block_, 0) : 0;
    char* grown = static_cast<char*>(::operator new(kBlockHead + capacity));
    if (block_)
        std::memcpy(grown + kBlockHead, block_ + kBlockHead, size);
    ::operator delete(block_);
    block_ = grown;
    SetBlockField(block_, 0, size);
    SetBlockField(block_, 4, capacity);
}

void CompactBytes::Append(std::string_view bytes) {
    if (bytes.empty())
        return;
    const std::size_t size = block_ ? BlockField(block_, 0) : 0;
    const std::size_t capacity = block_ ? BlockField(block_, 4) : 0;
    if (size + bytes.size() > capacity)
        Reserve(std::max(size + bytes.size(), capacity + capacity / 2));
    std::memcpy(block_ + kBlockHead + size, bytes.data(), bytes.size());
    SetBlockField(block_, 0, size + bytes.size());
}

void CompactBytes::Erase(std::size_t at, std::size_t count) {
    const std::size_t size = View().size();
    if (at >= size)
        return;
    count = std::min(count, size - at);
    std::memmove(block_ + kBlockHead + at, block_ + kBlockHead + at + count, size - at - count);
    SetBlockField(block_, 0, size - count);
}

std::string CSoundBank::GetSoundName(int program) const {
    if (program < 0 || program >= kSoundsPerBank)
        return {};
    const std::string_view packed = packed_.View();
    const std::size_t at = FindRecord(packed, program);
    if (at == std::string::npos)
        return {};
    return std::string(packed.substr(at + kRecordHead, GetLength(packed, at)));
}

void CSoundBank::SetSoundName(int program, std::string_view text) {
    if (program < 0 || program >= kSoundsPerBank)
        return;
    const std::string_view packed = packed_.View();
    const std::size_t at = FindRecord(packed, program);
    if (at != std::string::npos)
        packed_.Erase(at, kRecordHead + GetLength(packed, at));
    if (text.empty())
        return;
    packed_.Append(std::string(1, static_cast<char>(program)) +
                   LengthBytes(static_cast<std::uint32_t>(text.size())));
    packed_.Append(text);
}

int CSoundBank::NamedCount() const {
    const std::string_view packed = packed_.View();
    int count = 0;
    for (std::size_t at = 0; at < packed.size(); at += kRecordHead + GetLength(packed, at))
        ++count;
    return count;
}

void CSoundList::Note(std::size_t line, std::string reason) {
    ++problemCount;
    if (problems.size() < kReportedProblems)
        problems.push_back({line, std::move(reason)});
}

bool CSoundList::LoadFromText(std::string_view text) {
    name.clear();
    banks.clear();
    problems.clear();
    problemCount = 0;

    // Counting the banks first lets the bank array be allocated once, at its final size.
    std::size_t bankLines = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        BankLine bank;
        if (IsKey(line, "bank=") && ReadBankLine(line, bank))
            ++bankLines;
        at = end + 1;
    }
    banks.reserve(bankLines);

    bool skippingBank = false; // the last bank= line was skipped: so are its sounds
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
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
                name = Utf8OrLatin1(line.substr(kKeySize));
            continue;
        }
        if (key == "bank=") {
            BankLine bank;
            if (!ReadBankLine(line, bank)) {
                skippingBank = true;
                Note(lineNumber, bank.reason + "; the bank and its sounds are skipped");
                continue;
            }
            CSoundBank& added = banks.emplace_back();
            added.name = Utf8OrLatin1(bank.name);
            added.msb = static_cast<std::uint8_t>(bank.msb);
            added.lsb = static_cast<std::uint8_t>(bank.lsb);
            skippingBank = false;
            continue;
        }

        // A sound line: "program,name".
        if (skippingBank)
            continue;
        const std::size_t comma = line.find(',');
        const Number program = ParseNumber(line.substr(0, comma));
        if (!program.digits) {
            Note(lineNumber, "no program number at the start of the line");
        } else if (comma == std::string_view::npos) {
            Note(lineNumber, "no comma between the program number and the sound name");
        } else if (!program.valid) {
            Note(lineNumber, "the program number is followed by other text before the comma");
        } else if (program.value < 0 || program.value > kMaxDataByte) {
            Note(lineNumber,
                 "program number " + std::to_string(program.value) + " is outside 0 to 127");
        } else if (banks.empty()) {
            Note(lineNumber, "sound before the first bank= line");
        } else {
            banks.back().SetSoundName(static_cast<int>(program.value),
                                      Utf8OrLatin1(line.substr(comma + 1)));
        }
    }
    return problemCount == 0;
}

Result CSoundList::Load(const std::string& path) {
    name.clear();
    banks.clear();
    problems.clear();
    problemCount = 0;
    std::vector<std::uint8_t> bytes;
    if (Result r = ReadWholeFile(path, bytes, kSoundListLimit); !r)
        return r;
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return Result::Ok();
}

std::string CSoundList::ProblemReport(const std::string& path) const {
    std::string report;
    if (name.empty())
        report += "\n  the file has no \"name=\" line; the list is not used";
    for (const SoundListProblem& p : problems)
        report += "\n  line " + std::to_string(p.line) + ": " + p.reason;
    if (problemCount > problems.size())
        report +=
            "\n  and " + std::to_string(problemCount - problems.size()) + " more skipped lines";
    if (report.empty())
        return {};
    const std::string skipped = problemCount == 0 ? ""
                                : problemCount == 1
                                    ? " 1 line skipped:"
                                    : " " + std::to_string(problemCount) + " lines skipped:";
    return "Sound list '" + path + "':" + skipped + report;
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

namespace {

// Whether a file name ends in ".sounds" with something before it (a file named only ".sounds"
// is a hidden file without an extension).
template <class Char> bool HasSoundListName(std::basic_string_view<Char> name) {
    constexpr std::string_view kSuffix = ".sounds";
    return name.size() > kSuffix.size() &&
           std::equal(kSuffix.rbegin(), kSuffix.rend(), name.rbegin(),
                      [](char a, Char b) { return static_cast<Char>(a) == b; });
}

} // namespace

std::vector<std::string> SoundListFilesIn(const std::string& directory) {
    std::vector<std::string> files;
#ifndef _WIN32
    // readdir gives each name as it is; the standard directory iterator builds a path object
    // for every entry, which costs ten times as much in a folder where almost nothing matches.
    DIR* d = ::opendir(directory.c_str());
    if (!d)
        return files;
    const std::string prefix =
        directory.empty() || directory.back() == '/' ? directory : directory + "/";
    while (const dirent* e = ::readdir(d)) {
        if (!HasSoundListName(std::string_view(e->d_name)))
            continue;
        std::string path = prefix + e->d_name;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            // A link counts as what it names; a broken one is left for reading to report.
            struct stat st {};
            folder = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        if (!folder)
            files.push_back(std::move(path));
    }
    ::closedir(d);
#else
    std::error_code ec;
    std::filesystem::directory_iterator it(directory, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::wstring_view native = it->path().native();
        if (!HasSoundListName(native.substr(native.find_last_of(L"\\/") + 1)))
            continue;
        std::error_code statError;
        if (!it->is_directory(statError))
            files.push_back(it->path().string());
    }
#endif
    return files;
}

std::vector<CSoundList> LoadSoundListsIn(const std::string& directory,
                                         std::vector<Result>* errors) {
    std::vector<CSoundList> lists;
    for (const std::string& path : SoundListFilesIn(directory)) {
        CSoundList list;
        if (Result r = list.Load(path); !r) {
            if (errors)
                errors->push_back(r);
            continue;
        }
        if (std::string report = list.ProblemReport(path); !report.empty() && errors)
            errors->push_back(Result::Fail(ErrorCode::BadData, std::move(report)));
        if (!list.name.empty())
            lists.push_back(std::move(list));
    }
    return lists;
}

} // namespace presetor
