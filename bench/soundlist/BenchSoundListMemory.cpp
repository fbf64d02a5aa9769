// Memory of a loaded sound list per byte of its file: the peak heap while CSoundList::Load reads
// a 1 MiB file, divided by the file's size, for a realistic list and for adversarial ones (lines
// that each cost the reader as much as possible). Counted by replacing the global allocator, so
// the figure is exact and independent of the C library's arenas. Time is reported against
// reading the same file's bytes.
#include "model/FileIo.h"
#include "model/SoundList.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>

#include <unistd.h>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void Count(void* p) {
    if (!p)
        return;
    const std::size_t now = liveBytes += malloc_usable_size(p);
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
}

void* Allocate(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p)
        throw std::bad_alloc();
    Count(p);
    return p;
}

void Release(void* p) noexcept {
    if (p) {
        liveBytes -= malloc_usable_size(p);
        std::free(p);
    }
}

} // namespace

void* operator new(std::size_t n) {
    return Allocate(n);
}
void* operator new[](std::size_t n) {
    return Allocate(n);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

constexpr std::size_t kFileSize = 1u << 20;

// A file of about kFileSize bytes: head once, then line repeated (with %d replaced by a
// counter modulo 128 where it appears).
std::string MakeFile(const std::string& name, const std::string& head, const std::string& line) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("presetor-bench-" + std::to_string(::getpid()) + "-" + name + ".sounds");
    std::string text = head;
    for (int i = 0; text.size() < kFileSize; ++i) {
        std::string l = line;
        if (const auto at = l.find("%d"); at != std::string::npos)
            l.replace(at, 2, std::to_string(i % 128));
        text += l;
    }
    text.resize(kFileSize);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

// Real lists: banks of 128 named programs.
std::string Realistic() {
    std::string text = "* A sound module\r\nname=Realistic Module\r\n";
    for (int bank = 0; text.size() < kFileSize; ++bank) {
        text += "bank=Bank " + std::to_string(bank) + "," + std::to_string(bank % 128) + "," +
                std::to_string(bank / 128 % 128) + "\r\n";
        for (int p = 0; p < 128; ++p)
            text += std::to_string(p) + ",Sound number " + std::to_string(p) + " of the bank\r\n";
    }
    return text;
}

void LoadList(benchmark::State& state, const std::string& path) {
    std::size_t worst = 0;
    for (auto _ : state) {
        const std::size_t before = liveBytes.load();
        peakBytes = before;
        presetor::CSoundList list;
        benchmark::DoNotOptimize(list.Load(path));
        worst = std::max(worst, peakBytes.load() - before);
    }
    const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
    state.counters["file_bytes"] = fileBytes;
    state.counters["peak_heap_bytes"] = static_cast<double>(worst);
    state.counters["mem_per_file_byte"] = static_cast<double>(worst) / fileBytes;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fileBytes));
    state.SetLabel("vs:soundlist");
}

void Register(const char* name, const std::string& path) {
    benchmark::RegisterBenchmark(name, [path](benchmark::State& s) {
        LoadList(s, path);
    })->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    const auto realisticPath = std::filesystem::temp_directory_path() /
                               ("presetor-bench-" + std::to_string(::getpid()) + "-real.sounds");
    {
        std::string text = Realistic();
        text.resize(kFileSize);
        std::ofstream(realisticPath, std::ios::binary) << text;
    }
    const std::string realistic = realisticPath.string();
    const std::string banks = MakeFile("banks", "name=M\n", "bank=a,0\n");
    const std::string badBanks = MakeFile("badbanks", "name=M\n", "bank=\n");
    const std::string sounds = MakeFile("sounds", "name=M\nbank=a,0,0\n", "%d,a\n");
    const std::string mixed = MakeFile("mixed", "name=M\n", "bank=a,0\n0,a\n");
    const std::string garbage = MakeFile("garbage", "name=M\n", "x,y\n");
    const std::string latin = MakeFile("latin", "name=M\nbank=a,0,0\n", "%d,\xFC\xFC\xFC\xFC\n");

    // The floor: reading the same bytes, nothing else.
    benchmark::RegisterBenchmark("SoundList/read_bytes_only", [&](benchmark::State& state) {
        for (auto _ : state) {
            std::vector<std::uint8_t> bytes;
            benchmark::DoNotOptimize(presetor::ReadWholeFile(realistic, bytes));
        }
        state.SetLabel("floor:soundlist");
    })->Unit(benchmark::kMillisecond);
    Register("SoundList/realistic_128_named_programs_per_bank", realistic);
    Register("SoundList/adversarial_shortest_banks", banks);
    Register("SoundList/adversarial_bank_lines_without_numbers", badBanks);
    Register("SoundList/adversarial_shortest_sound_lines", sounds);
    Register("SoundList/adversarial_bank_and_sound_pairs", mixed);
    Register("SoundList/adversarial_unusable_lines", garbage);
    Register("SoundList/adversarial_latin1_names", latin);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string& p : {realistic, banks, badBanks, sounds, mixed, garbage, latin})
        std::filesystem::remove(p);
    return 0;
}
