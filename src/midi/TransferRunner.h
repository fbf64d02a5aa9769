// Drives a transfer engine to its end on the calling thread: drains an input port, feeds the
// engine bytes and the steady clock, sleeps on the port until data or the next deadline. For
// the command-line tool, the tests and the benchmark; the Qt dialogs drive the engines from a
// timer and the data-arrived hook instead.
#pragma once

#include "LoadAllEngine.h"
#include "MidiPort.h"
#include "RequestPresetEngine.h"

#include <atomic>
#include <cstdint>

namespace presetor {

// Milliseconds of the steady clock.
std::int64_t SteadyNowMs();

// cancel, when given, is polled; once true the engine is cancelled.
TransferState RunLoadAll(LoadAllEngine& engine, MidiOutPort& out, MidiInPort& in,
                         const std::atomic<bool>* cancel = nullptr);
// One retry round of a finished load's damaged presets (LoadAllEngine::RetryDamaged); Ok also
// when some stay damaged, Idle when there was nothing to retry.
TransferState RunRetryDamaged(LoadAllEngine& engine, MidiOutPort& out, MidiInPort& in,
                              const std::atomic<bool>* cancel = nullptr);
TransferState RunRequestPreset(RequestPresetEngine& engine, MidiOutPort& out, MidiInPort& in);

} // namespace presetor
