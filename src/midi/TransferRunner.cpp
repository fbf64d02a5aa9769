// Blocking drivers of the engines for tools and tests.
#include "TransferRunner.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace presetor {

std::int64_t SteadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {

// Waits for data until the engine's next deadline, at most 50 ms, so cancel is seen.
template <class Engine> void WaitStep(Engine& engine, MidiInPort& in) {
    std::int64_t wait = 50;
    const std::int64_t due = engine.NextDeadline();
    if (due >= 0) {
        wait = std::clamp<std::int64_t>(due - SteadyNowMs(), 0, 50);
    }
    if (wait > 0 && !(in.IsOpen() && in.WaitForData(std::chrono::milliseconds(wait)))) {
        if (!in.IsOpen()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
    }
}

template <class Engine>
TransferState Run(Engine& engine, MidiInPort& in, const std::atomic<bool>* cancel) {
    std::vector<std::uint8_t> bytes;
    while (!engine.Finished()) {
        bytes.clear();
        in.Poll(bytes);
        const std::int64_t now = SteadyNowMs();
        if (!bytes.empty()) {
            engine.OnBytes(bytes, now);
        }
        engine.OnTick(now);
        if (cancel != nullptr && cancel->load()) {
            engine.Cancel();
        }
        if (!engine.Finished()) {
            WaitStep(engine, in);
        }
    }
    return engine.State();
}

} // namespace

TransferState RunLoadAll(LoadAllEngine& engine, MidiOutPort& out, MidiInPort& in,
                         const std::atomic<bool>* cancel) {
    engine.Start(out, SteadyNowMs());
    return Run(engine, in, cancel);
}

TransferState RunRetryDamaged(LoadAllEngine& engine, MidiOutPort& out, MidiInPort& in,
                              const std::atomic<bool>* cancel) {
    if (!engine.RetryDamaged(out, SteadyNowMs())) {
        return TransferState::Idle;
    }
    return Run(engine, in, cancel);
}

TransferState RunRequestPreset(RequestPresetEngine& engine, MidiOutPort& out, MidiInPort& in) {
    engine.Start(out, SteadyNowMs());
    return Run(engine, in, nullptr);
}

} // namespace presetor
