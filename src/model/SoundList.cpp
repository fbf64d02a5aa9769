// The .sounds text format: "name=" and "bank=" lines (keys in any case) and "program,sound"
// lines, one per line ending in LF or CR LF; comments start with "*".
#include "SoundList.h"

#include "FileIo.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

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

std::string LowerKey(std::string_view line) {
    std::string key(line.substr(0, kKeySize));
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool IsKey(std::string_view line, const char* key) {
    return line.size() >= kKeySize && LowerKey(line) == key;
}

void PutLength(std::string& to, std::uint32_t n) {
    for (int k = 0; k < 4; ++k)
        to += static_cast<char>((n >> (8 * k)) & 0xFF);
}

std::uint32_t GetLength(const std::string& from, std::size_t at) {
    std::uint32_t n = 0;
    for (int k = 0; k < 4; ++k)
        n |= static_cast<std::uint32_t>(static_cast<unsigned char>(from[at + 1 + k])) << (8 * k);
    return n;
}

constexpr std::size_t kRecordHead = 5; // program byte and 4-byte length

// The offset of the record of program in packed, or npos.
std::size_t FindRecord(const std::string& packed, int program) {
    for (std::size_t at = 0; at < packed.size(); at += kRecordHead + GetLength(packed, at))
        if (static_cast<unsigned char>(packed[at]) == program)
            return at;
    return std::string::npos;
}

} // namespace

std::string CSoundBank::GetSoundName(int program) const {
    if (program < 0 || program >= kSoundsPerBank)
        return {};
    const std::size_t at = FindRecord(packed_, program);
    if (at == std::string::npos)
        return {};
    return packed_.substr(at + kRecordHead, GetLength(packed_, at));
}

void CSoundBank::SetSoundName(int program, std::string_view text) {
    if (program < 0 || program >= kSoundsPerBank)
        return;
    const std::size_t at = FindRecord(packed_, program);
    if (at != std::string::npos)
        packed_.erase(at, kRecordHead + GetLength(packed_, at));
    if (text.empty())
        return;
    packed_ += static_cast<char>(program);
    PutLength(packed_, static_cast<std::uint32_t>(text.size()));
    packed_.append(text);
}

int CSoundBank::NamedCount() const {
    int count = 0;
    for (std::size_t at = 0; at < packed_.size(); at += kRecordHead + GetLength(packed_, at))
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
        if (IsKey(text.substr(at, end - at), "bank="))
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
            skippingBank = true;
            const std::size_t comma = line.find(',', kKeySize);
            if (comma == std::string_view::npos) {
                Note(lineNumber, "bank line without \",MSB,LSB\"; the bank and its sounds are "
                                 "skipped");
                continue;
            }
            const std::string_view bankName = line.substr(kKeySize, comma - kKeySize);
            const std::string_view numbers = line.substr(comma + 1);
            const std::size_t second = numbers.find(',');
            const std::string_view msbField = numbers.substr(0, second);
            std::string reason = CheckDataByte(ParseNumber(msbField), msbField, "bank MSB");
            Number lsb;
            lsb.valid = true;
            if (reason.empty() && second != std::string_view::npos) {
                const std::string_view lsbField = numbers.substr(second + 1);
                lsb = ParseNumber(lsbField);
                reason = CheckDataByte(lsb, lsbField, "bank LSB");
            }
            if (reason.empty() && bankName.empty())
                reason = "bank without a name";
            if (!reason.empty()) {
                Note(lineNumber, reason + "; the bank and its sounds are skipped");
                continue;
            }
            CSoundBank& bank = banks.emplace_back();
            bank.name = Utf8OrLatin1(bankName);
            bank.msb = static_cast<std::uint8_t>(ParseNumber(msbField).value);
            bank.lsb = static_cast<std::uint8_t>(lsb.value);
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

std::vector<CSoundList> LoadSoundListsIn(const std::string& directory,
                                         std::vector<Result>* errors) {
    std::vector<CSoundList> lists;
    std::error_code ec;
    std::filesystem::directory_iterator it(directory, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        std::error_code statError;
        if (p.extension() != ".sounds" || it->is_directory(statError))
            continue;
        CSoundList list;
        if (Result r = list.Load(p.string()); !r) {
            if (errors)
                errors->push_back(r);
            continue;
        }
        if (std::string report = list.ProblemReport(p.string()); !report.empty() && errors)
            errors->push_back(Result::Fail(ErrorCode::BadData, std::move(report)));
        if (!list.name.empty())
            lists.push_back(std::move(list));
    }
    return lists;
}

} // namespace presetor
