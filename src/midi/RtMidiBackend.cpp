// RtMidi ports: API choice, input that only copies into the hand-off queue, output by policy.
#include "RtMidiBackend.h"

#include "MidiInputQueue.h"
#include "QueuedInPort.h"

#include <rtmidi/RtMidi.h>
#if defined(PRESETOR_HAVE_JACK)
#include "JackBackend.h"

#include <jack/jack.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>
#include <type_traits>
#include <unistd.h>

namespace presetor {

namespace {

RtMidi::Api ChooseApi(const std::string& wanted) {
    std::string name = wanted;
    if (name.empty()) {
        if (const char* env = std::getenv("PRESETOR_MIDI_API")) {
            name = env;
        }
    }
    if (name == "jack") {
        return RtMidi::UNIX_JACK;
    }
    if (name == "alsa") {
        return RtMidi::LINUX_ALSA;
    }
    if (name == "winmm") {
        return RtMidi::WINDOWS_MM;
    }
    if (name == "coremidi") {
        return RtMidi::MACOSX_CORE;
    }
#if defined(__linux__)
    // Without the kernel's sequencer ALSA cannot start; JACK is the other choice.
    return access("/dev/snd/seq", R_OK | W_OK) == 0 ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
#else
    return RtMidi::UNSPECIFIED;
#endif
}

constexpr int kJackSettleMs = 100;

// libjack's own chatter on stderr is silenced once; failures reach the caller as error texts.
void QuietJack(RtMidi::Api api) {
#if defined(PRESETOR_HAVE_JACK)
    if (api == RtMidi::UNIX_JACK) {
        static const bool quiet = [] {
            jack_set_error_function([](const char*) {});
            jack_set_info_function([](const char*) {});
            return true;
        }();
        (void)quiet;
    }
#else
    (void)api;
#endif
}

// True unless JACK is the API and no JACK server answers.
bool ApiReachable(RtMidi::Api api, std::string& error) {
    QuietJack(api);
#if defined(PRESETOR_HAVE_JACK)
    if (api != RtMidi::UNIX_JACK) {
        return true;
    }
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("presetor-probe", JackNoStartServer, &status);
    if (probe == nullptr) {
        error = "The JACK server is not running.";
        return false;
    }
    jack_client_close(probe);
#else
    (void)error;
#endif
    return true;
}

// Errors reported by RtMidi through the error callback instead of exceptions.
struct ErrorSink {
    std::atomic<bool> failed{false};
    std::mutex mutex;
    std::string text;

    static void Callback(RtMidiError::Type type, const std::string& errorText, void* user) {
        // Warnings too: a refused or oversized event means the bytes are lost. ALSA's encoder
        // reports a SysEx piece without its F7 as "incomplete"; it keeps the bytes and sends
        // them with the following pieces, so that one is no failure.
        auto* self = static_cast<ErrorSink*>(user);
        if (type == RtMidiError::DEBUG_WARNING ||
            errorText.find("incomplete message") != std::string::npos) {
            return;
        }
        std::lock_guard lock(self->mutex);
        self->text = errorText;
        self->failed = true;
    }
    std::string Take() {
        std::lock_guard lock(mutex);
        failed = false;
        return std::move(text);
    }
};

// One RtMidi object of either direction with its error sink. RtMidi 5 makes one system client
// (a JACK client, an ALSA sequencer client) per object, and each costs the server a cycle or more
// to take in and to let go, so the backend keeps one object per direction for the whole run: it
// lists the ports and is lent to the port opened on it. Only a second port of the same direction
// opened while the first is still open gets an object (and a client) of its own.
template <class Rt> struct RtObject {
    std::unique_ptr<Rt> rt;
    ErrorSink errors;
    std::atomic<bool> lent{false};
    // Input: the queue the callback fed last. It stays alive with the object until the next
    // port takes its place, so a driver cycle still running while a port closes writes into a
    // closed queue, never into freed memory.
    std::shared_ptr<MidiInputQueue> lastQueue;

    // The object of slot when it is free (marked lent), else null.
    static std::shared_ptr<RtObject> Borrow(const std::shared_ptr<RtObject>& slot) {
        if (slot && !slot->lent.exchange(true)) {
            return slot;
        }
        return nullptr;
    }
};
using RtOutObject = RtObject<RtMidiOut>;
using RtInObject = RtObject<RtMidiIn>;

class RtOutPort final : public MidiOutPort {
public:
    RtOutPort(std::shared_ptr<RtOutObject> out, SenderPolicy policy, int pauseMs)
        : out_(std::move(out)), policy_(policy), throttle_(policy), pause_(pauseMs) {}
    ~RtOutPort() override { Close(); }

    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) override {
        if (!IsOpen()) {
            return false;
        }
        return SendByPolicy(
            bytes, policy_, [this](std::span<const std::uint8_t> piece) { return Piece(piece); },
            progress);
    }
    bool IsOpen() const override { return out_ != nullptr; }
    bool AcceptsPieces() const override { return policy_.rawPieces; }
    void Close() override {
        if (out_) {
            // On JACK closing waits (at most a second) until the process cycle has taken the
            // last bytes out of the ring, so what was sent is on its way.
            out_->rt->closePort();
            out_->lent = false;
            out_.reset();
        }
    }

private:
    bool Piece(std::span<const std::uint8_t> piece) {
        pause_.Before(piece);
        throttle_.Wait(piece.size() + sizeof(int)); // the ring also holds each piece's size
        out_->errors.failed = false;
        out_->rt->sendMessage(piece.data(), piece.size());
        pause_.After(piece);
        return !out_->errors.failed.load();
    }

    std::shared_ptr<RtOutObject> out_;
    SenderPolicy policy_;
    SendThrottle throttle_;
    MessagePause pause_;
};

class RtInPort final : public QueuedInPort {
public:
    RtInPort(std::shared_ptr<RtInObject> in, std::shared_ptr<MidiInputQueue> queue)
        : QueuedInPort(std::move(queue)), in_(std::move(in)) {}
    ~RtInPort() override { Close(); }

    void Close() override {
        // The queue refuses bytes first, so a callback racing with closing hands nothing over.
        Queue()->Close();
        if (in_) {
            in_->rt->closePort();
            in_->rt->cancelCallback();
            in_->lent = false;
            in_.reset();
        }
    }

    // Driver thread: copy and hand over, nothing else.
    static void OnInput(double, std::vector<unsigned char>* message, void* user) {
        if (message != nullptr) {
            static_cast<MidiInputQueue*>(user)->Push(*message);
        }
    }

private:
    std::shared_ptr<RtInObject> in_;
};

template <class Rt>
std::shared_ptr<RtObject<Rt>> MakeObject(RtMidi::Api api, const std::string& clientName) {
    auto object = std::make_shared<RtObject<Rt>>();
    if constexpr (std::is_same_v<Rt, RtMidiIn>) {
        object->rt = std::make_unique<RtMidiIn>(api, clientName, 1000);
        // SysEx on; timing clock and active sensing off.
        object->rt->ignoreTypes(false, true, true);
    } else {
        object->rt = std::make_unique<RtMidiOut>(api, clientName);
    }
    object->rt->setErrorCallback(&ErrorSink::Callback, &object->errors);
    return object;
}

class RtBackend final : public MidiBackend {
public:
    RtBackend(RtMidi::Api api, RtMidiOptions options, std::shared_ptr<RtInObject> in,
              std::shared_ptr<RtOutObject> out)
        : api_(api), options_(std::move(options)), in_(std::move(in)), out_(std::move(out)) {}

    std::string ApiName() const override { return RtMidi::getApiDisplayName(api_); }

    std::vector<std::string> PortNames(MidiKind kind) override {
        std::vector<std::string> names;
        RtMidi& lister = kind == MidiKind::Input ? static_cast<RtMidi&>(*in_->rt)
                                                 : static_cast<RtMidi&>(*out_->rt);
        const unsigned n = lister.getPortCount();
        for (unsigned i = 0; i < n; ++i) {
            names.push_back(lister.getPortName(i));
        }
        return names;
    }

    std::unique_ptr<MidiOutPort> OpenOut(int index, std::string& error) override {
        try {
            auto out = RtOutObject::Borrow(out_);
            if (!out) {
                out = MakeObject<RtMidiOut>(api_, options_.clientName);
                out->lent = true;
            }
            if (!OpenIndex(*out, index, "out", error)) {
                out->lent = false;
                return nullptr;
            }
            return std::make_unique<RtOutPort>(out, PolicyForApi(RtMidi::getApiName(api_)),
                                               options_.messagePauseMs);
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

    std::unique_ptr<MidiInPort> OpenIn(int index, std::string& error) override {
        try {
            auto in = RtInObject::Borrow(in_);
            if (!in) {
                in = MakeObject<RtMidiIn>(api_, options_.clientName);
                in->lent = true;
            }
            auto queue = std::make_shared<MidiInputQueue>();
            queue->Open();
            in->rt->setCallback(&RtInPort::OnInput, queue.get());
            in->lastQueue = queue;
            if (!OpenIndex(*in, index, "in", error)) {
                in->rt->cancelCallback();
                in->lent = false;
                queue->Close();
                return nullptr;
            }
            return std::make_unique<RtInPort>(in, queue);
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

private:
    // Opens port number index on the object. An output waits until the server has taken the
    // new connection into its graph: bytes its next process cycle takes out of the ring while
    // the old graph still runs are lost, and without real-time scheduling that cycle may be
    // late. An input needs no wait: nothing answers before the output has sent.
    template <class Object>
    static bool OpenIndex(Object& object, int index, const char* portName, std::string& error) {
        auto& port = *object.rt;
        object.errors.Take();
        if (index < 0 || static_cast<unsigned>(index) >= port.getPortCount()) {
            error = "No such MIDI port.";
            return false;
        }
        port.openPort(static_cast<unsigned>(index), portName);
        if (object.errors.failed || !port.isPortOpen()) {
            error = object.errors.Take();
            if (error.empty()) {
                error = "The MIDI port could not be opened.";
            }
            port.closePort();
            return false;
        }
        if (std::is_same_v<Object, RtOutObject> && port.getCurrentApi() == RtMidi::UNIX_JACK) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kJackSettleMs));
        }
        return true;
    }

    RtMidi::Api api_;
    RtMidiOptions options_;
    std::shared_ptr<RtInObject> in_;
    std::shared_ptr<RtOutObject> out_;
};

} // namespace

SenderPolicy PolicyForApi(const std::string& apiName) {
    SenderPolicy policy;
    // WinMM and CoreMIDI refuse a piece that does not start with F0: whole messages there.
    policy.rawPieces = !(apiName == "winmm" || apiName == "core");
    if (apiName == "jack") {
        // Half the output ring at once, then 250 kB/s (80 times wire speed): the server's
        // process cycle empties the ring long before it fills, even with long periods.
        policy.burstBytes = 8192;
        policy.bytesPerSecond = 250000;
    }
    return policy;
}

VirtualPorts OpenVirtualPorts(const RtMidiOptions& options, std::string& error, bool openInput) {
    VirtualPorts ports;
    try {
        const RtMidi::Api api = ChooseApi(options.api);
        if (!ApiReachable(api, error)) {
            return {};
        }
        // One system client per direction (JACK would rename a second client of the same
        // name): NAME-in:in takes the editor's output, NAME:out feeds the editor's input.
        std::shared_ptr<RtObject<RtMidiIn>> in;
        std::shared_ptr<MidiInputQueue> queue;
        if (openInput) {
            in = MakeObject<RtMidiIn>(api, options.clientName + "-in");
            in->lent = true;
            queue = std::make_shared<MidiInputQueue>();
            queue->Open();
            in->rt->setCallback(&RtInPort::OnInput, queue.get());
            in->lastQueue = queue;
            in->rt->openVirtualPort("in");
        }
        auto out = MakeObject<RtMidiOut>(api, options.clientName);
        out->lent = true;
        out->rt->openVirtualPort("out");
        if ((in && in->errors.failed) || out->errors.failed) {
            error = in && in->errors.failed ? in->errors.Take() : out->errors.Take();
            if (queue) {
                queue->Close();
            }
            return {};
        }
        if (in) {
            ports.in = std::make_unique<RtInPort>(std::move(in), queue);
        }
        ports.out = std::make_unique<RtOutPort>(
            std::move(out), PolicyForApi(RtMidi::getApiName(api)), options.messagePauseMs);
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return {};
    }
    return ports;
}

bool ChoosesJack(const RtMidiOptions& options) {
    return ChooseApi(options.api) == RtMidi::UNIX_JACK;
}

std::unique_ptr<MidiBackend> MakeSystemMidiBackend(const RtMidiOptions& options,
                                                   std::string& error) {
    try {
        const RtMidi::Api api = ChooseApi(options.api);
        QuietJack(api);
#if defined(PRESETOR_HAVE_JACK)
        if (api == RtMidi::UNIX_JACK) {
            return MakeJackBackend(options.clientName, options.messagePauseMs, error);
        }
#endif
        // The two objects the backend keeps; when JACK is the API and no server answers they
        // have no client, which RtMidi reports as a warning on stderr (caught here) and by
        // listing nothing (its retry then reaches the error sink).
        std::ostringstream warnings;
        std::streambuf* const stderrBuffer = std::cerr.rdbuf(warnings.rdbuf());
        std::shared_ptr<RtInObject> in;
        std::shared_ptr<RtOutObject> out;
        try {
            in = MakeObject<RtMidiIn>(api, options.clientName);
            out = MakeObject<RtMidiOut>(api, options.clientName);
        } catch (...) {
            std::cerr.rdbuf(stderrBuffer);
            throw;
        }
        std::cerr.rdbuf(stderrBuffer);
        if (api == RtMidi::UNIX_JACK && !warnings.str().empty()) {
            error = "The JACK server is not running.";
            return nullptr;
        }
        return std::make_unique<RtBackend>(api, options, std::move(in), std::move(out));
    } catch (const RtMidiError& e) {
        error = e.getMessage();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return nullptr;
}

} // namespace presetor
