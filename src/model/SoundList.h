// Sound lists: the banks and program names of one sound module, read from a ".sounds" text
// file, and the lookup of a sound by channel, bank select and program. Texts are held as UTF-8
// (bytes that are not valid UTF-8 are read as Latin-1); lines the reader cannot use are
// reported with their line numbers and skipped.
#pragma once

#include "Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace presetor {

constexpr int kSoundsPerBank = 128;
// Largest sound-list file that is read; far above any real list.
constexpr std::size_t kSoundListLimit = 16u * 1024 * 1024;
// How many skipped lines a report lists by number (the rest are counted).
constexpr std::size_t kReportedProblems = 20;

// A byte buffer the size of one pointer: its length and capacity are kept at the front of its
// allocation, and an empty buffer allocates nothing. Sound banks keep their named programs in
// one, so that a bank costs little more than its texts.
class CompactBytes {
public:
    CompactBytes() = default;
    CompactBytes(const CompactBytes& other);
    CompactBytes& operator=(const CompactBytes& other);
    CompactBytes(CompactBytes&& other) noexcept;
    CompactBytes& operator=(CompactBytes&& other) noexcept;
    ~CompactBytes();

    std::string_view View() const;
    void Append(std::string_view bytes);
    void Erase(std::size_t at, std::size_t count);

private:
    void Reserve(std::size_t capacity);
    char* block_ = nullptr; // 4-byte length, 4-byte capacity, then the bytes
};

class CSoundBank {
public:
    std::string name;
    std::uint8_t lsb = 0;
    std::uint8_t msb = 0;

    // The sound text of a program, or empty when it has none or is outside 0..127.
    std::string GetSoundName(int program) const;
    // Sets the text of a program (0..127), replacing an earlier one; others are ignored.
    void SetSoundName(int program, std::string_view text);
    // How many programs have a text.
    int NamedCount() const;

private:
    // Only the named programs, packed one after another as: program byte, 4-byte length, text.
    // A bank costs a few bytes beyond its texts, so a list's memory follows its file's size.
    CompactBytes packed_;
};

// A line of a sound-list file that was skipped, and why.
struct SoundListProblem {
    std::size_t line = 0; // 1-based; 0 for the file as a whole
    std::string reason;
};

class CSoundList {
public:
    std::string name;
    std::vector<CSoundBank> banks;
    // Skipped lines in file order (at most kReportedProblems) and how many there were in all.
    std::vector<SoundListProblem> problems;
    std::size_t problemCount = 0;

    // Reads a .sounds file (a regular file of at most kSoundListLimit bytes). A file that
    // cannot be read leaves the list empty and fails with IoError or TooLarge naming it. A file
    // that was read succeeds; its skipped lines are in problems (see ProblemReport).
    Result Load(const std::string& path);
    // Replaces the list by the one the text describes. Lines it cannot use are skipped and
    // noted in problems; the result is false when there were any.
    bool LoadFromText(std::string_view text);

    // One text naming the file and every skipped line ("line 4: ..."), or empty when the list
    // was read without problems. A list without a name is reported as unusable.
    std::string ProblemReport(const std::string& path) const;

    // The first bank (file order) with these numbers: its name and its sound of program (empty
    // when unnamed or outside 0..127). False, with both texts empty, when there is no such bank.
    bool FindSound(int msb, int lsb, int program, std::string& bankName,
                   std::string& soundName) const;

private:
    void Note(std::size_t line, std::string reason);
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

// The paths of the entries of a directory that are not folders and whose names end in
// ".sounds" after at least one character, in the order the file system lists them. One pass
// over the names, without sorting or keeping the others: a folder of thousands of files (a home
// folder the program was started in) costs one directory read per entry.
std::vector<std::string> SoundListFilesIn(const std::string& directory);

// Loads every "*.sounds" regular file of a directory in the order the file system lists them.
// Only lists that were read and have a name are returned. A file that cannot be read, has no
// name or has skipped lines adds one Result naming it and listing its problems to errors (when
// given): IoError or TooLarge when it was not read, BadData otherwise.
std::vector<CSoundList> LoadSoundListsIn(const std::string& directory, std::vector<Result>* errors);

} // namespace presetor
