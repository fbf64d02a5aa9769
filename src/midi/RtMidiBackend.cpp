// RtMidi ports: API choice, input that only copies into the hand-off queue, output by policy.
#include "RtMidiBackend.h"

#include "MidiInputQueue.h"
#include "QueuedInPort.h"

#include <rtmidi/RtMidi.h>
#if defined(PRESETOR_HAVE_JACK)
#include <jack/jack.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>
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

// True unless JACK is the API and no JACK server answers. libjack's own chatter on stderr is
// silenced once; failures reach the caller as error texts instead.
bool ApiReachable(RtMidi::Api api, std::string& error) {
#if defined(PRESETOR_HAVE_JACK)
    if (api != RtMidi::UNIX_JACK) {
        return true;
    }
    static const bool quiet = [] {
        jack_set_error_function([](const char*) {});
        jack_set_info_function([](const char*) {});
        return true;
    }();
    (void)quiet;
    jack_status_t status{};
    jack_client_t* probe = jack_client_open("presetor-probe", JackNoStartServer, &status);
    if (probe == nullptr) {
        error = "The JACK server is not running.";
        return false;
    }
    jack_client_close(probe);
#else
    (void)api;
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

class RtOutPort final : public MidiOutPort {
public:
    RtOutPort(std::unique_ptr<RtMidiOut> out, std::unique_ptr<ErrorSink> errors,
              SenderPolicy policy, int pauseMs)
        : out_(std::move(out)), errors_(std::move(errors)), policy_(policy), throttle_(policy),
          pauseMs_(pauseMs) {}
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
            out_->closePort();
            out_.reset();
        }
    }

private:
    bool Piece(std::span<const std::uint8_t> piece) {
        using Clock = std::chrono::steady_clock;
        if (!piece.empty() && piece.front() == 0xF0 && pauseMs_ > 0 && sentAny_) {
            std::this_thread::sleep_until(lastMessageEnd_ + std::chrono::milliseconds(pauseMs_));
        }
        throttle_.Wait(piece.size() + sizeof(int)); // the ring also holds each piece's size
        errors_->failed = false;
        out_->sendMessage(piece.data(), piece.size());
        sentAny_ = true;
        if (!piece.empty() && piece.back() == 0xF7) {
            lastMessageEnd_ = Clock::now();
        }
        return !errors_->failed.load();
    }

    std::unique_ptr<RtMidiOut> out_;
    std::unique_ptr<ErrorSink> errors_;
    SenderPolicy policy_;
    SendThrottle throttle_;
    int pauseMs_;
    bool sentAny_ = false;
    std::chrono::steady_clock::time_point lastMessageEnd_{};
};

class RtInPort final : public QueuedInPort {
public:
    RtInPort(std::unique_ptr<RtMidiIn> in, std::unique_ptr<ErrorSink> errors,
             std::shared_ptr<MidiInputQueue> queue)
        : QueuedInPort(std::move(queue)), in_(std::move(in)), errors_(std::move(errors)) {}
    ~RtInPort() override { Close(); }

    void Close() override {
        // The queue refuses bytes first, so a callback racing with closing hands nothing over.
        Queue()->Close();
        if (in_) {
            in_->cancelCallback();
            in_->closePort();
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
    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<ErrorSink> errors_;
};

class RtBackend final : public MidiBackend {
public:
    RtBackend(RtMidi::Api api, RtMidiOptions options)
        : api_(api), options_(std::move(options)),
          listIn_(std::make_unique<RtMidiIn>(api, options_.clientName + " list")),
          listOut_(std::make_unique<RtMidiOut>(api, options_.clientName + " list")) {
        listIn_->setErrorCallback(&ErrorSink::Callback, &listErrors_);
        listOut_->setErrorCallback(&ErrorSink::Callback, &listErrors_);
    }

    std::string ApiName() const override { return RtMidi::getApiDisplayName(api_); }

    std::vector<std::string> PortNames(MidiKind kind) override {
        std::vector<std::string> names;
        RtMidi& lister = kind == MidiKind::Input ? static_cast<RtMidi&>(*listIn_)
                                                 : static_cast<RtMidi&>(*listOut_);
        const unsigned n = lister.getPortCount();
        for (unsigned i = 0; i < n; ++i) {
            names.push_back(lister.getPortName(i));
        }
        listErrors_.Take();
        return names;
    }

    std::unique_ptr<MidiOutPort> OpenOut(int index, std::string& error) override {
        auto errors = std::make_unique<ErrorSink>();
        try {
            auto out = std::make_unique<RtMidiOut>(api_, options_.clientName);
            out->setErrorCallback(&ErrorSink::Callback, errors.get());
            if (!OpenIndex(*out, index, "out", *errors, error)) {
                return nullptr;
            }
            return std::make_unique<RtOutPort>(std::move(out), std::move(errors),
                                               PolicyForApi(RtMidi::getApiName(api_)),
                                               options_.messagePauseMs);
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

    std::unique_ptr<MidiInPort> OpenIn(int index, std::string& error) override {
        auto errors = std::make_unique<ErrorSink>();
        try {
            auto in = std::make_unique<RtMidiIn>(api_, options_.clientName, 1000);
            in->setErrorCallback(&ErrorSink::Callback, errors.get());
            // SysEx on; timing clock and active sensing off.
            in->ignoreTypes(false, true, true);
            auto queue = std::make_shared<MidiInputQueue>();
            queue->Open();
            in->setCallback(&RtInPort::OnInput, queue.get());
            if (!OpenIndex(*in, index, "in", *errors, error)) {
                queue->Close();
                return nullptr;
            }
            return std::make_unique<RtInPort>(std::move(in), std::move(errors), queue);
        } catch (const RtMidiError& e) {
            error = e.getMessage();
            return nullptr;
        }
    }

private:
    template <class Port>
    static bool OpenIndex(Port& port, int index, const char* portName, ErrorSink& errors,
                          std::string& error) {
        if (index < 0 || static_cast<unsigned>(index) >= port.getPortCount()) {
            error = "No such MIDI port.";
            return false;
        }
        port.openPort(static_cast<unsigned>(index), portName);
        if (errors.failed || !port.isPortOpen()) {
            error = errors.Take();
            if (error.empty()) {
                error = "The MIDI port could not be opened.";
            }
            return false;
        }
        if (port.getCurrentApi() == RtMidi::UNIX_JACK) {
            // The server takes the new connection into its graph a few process cycles later;
            // bytes sent (or answered) before then are lost.
            std::this_thread::sleep_for(std::chrono::milliseconds(kJackSettleMs));
        }
        return true;
    }

    RtMidi::Api api_;
    RtMidiOptions options_;
    ErrorSink listErrors_;
    std::unique_ptr<RtMidiIn> listIn_;
    std::unique_ptr<RtMidiOut> listOut_;
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

VirtualPorts OpenVirtualPorts(const RtMidiOptions& options, std::string& error) {
    VirtualPorts ports;
    try {
        const RtMidi::Api api = ChooseApi(options.api);
        if (!ApiReachable(api, error)) {
            return {};
        }
        auto inErrors = std::make_unique<ErrorSink>();
        // One system client per direction (JACK would rename a second client of the same
        // name): NAME-in:in takes the editor's output, NAME:out feeds the editor's input.
        auto in = std::make_unique<RtMidiIn>(api, options.clientName + "-in", 1000);
        in->setErrorCallback(&ErrorSink::Callback, inErrors.get());
        in->ignoreTypes(false, true, true);
        auto queue = std::make_shared<MidiInputQueue>();
        queue->Open();
        in->setCallback(&RtInPort::OnInput, queue.get());
        in->openVirtualPort("in");
        auto outErrors = std::make_unique<ErrorSink>();
        auto out = std::make_unique<RtMidiOut>(api, options.clientName);
        out->setErrorCallback(&ErrorSink::Callback, outErrors.get());
        out->openVirtualPort("out");
        if (inErrors->failed || outErrors->failed) {
            error = inErrors->failed ? inErrors->Take() : outErrors->Take();
            queue->Close();
            return {};
        }
        ports.in = std::make_unique<RtInPort>(std::move(in), std::move(inErrors), queue);
        ports.out = std::make_unique<RtOutPort>(std::move(out), std::move(outErrors),
                                                PolicyForApi(RtMidi::getApiName(api)),
                                                options.messagePauseMs);
    } catch (const RtMidiError& e) {
        error = e.getMessage();
        return {};
    }
    return ports;
}

std::unique_ptr<MidiBackend> MakeRtMidiBackend(const RtMidiOptions& options, std::string& error) {
    try {
        const RtMidi::Api api = ChooseApi(options.api);
        if (!ApiReachable(api, error)) {
            return nullptr;
        }
        return std::make_unique<RtBackend>(api, options);
    } catch (const RtMidiError& e) {
        error = e.getMessage();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return nullptr;
}

} // namespace presetor
