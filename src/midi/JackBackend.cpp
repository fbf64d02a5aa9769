// JACK ports through one client: the process thread copies input into each port's hand-off queue
// and moves queued output from each port's ring into the server's buffer.
#include "JackBackend.h"

#include "MemoryLocking.h"
#include "MidiInputQueue.h"
#include "MidiSender.h"
#include "QueuedInPort.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

namespace presetor {

namespace {

// Output waiting for the server: several bulk dumps fit, so a sender never waits on a live server.
constexpr std::size_t kRingBytes = 1 << 16;
// How long a port waits for the server's cycle before it gives up (a server without real-time
// scheduling may be late; a stopped one never comes).
constexpr auto kCycleWait = std::chrono::seconds(1);

// One registered port, reached by the process thread through the client's list.
struct JackPort {
    jack_port_t* port = nullptr;
    MidiKind kind = MidiKind::Input;
    std::shared_ptr<MidiInputQueue> queue; // input: where the owner takes the bytes
    jack_ringbuffer_t* ring = nullptr;     // output: pieces as [uint32 size][bytes]
    std::vector<std::uint8_t> scratch;     // input: this cycle's bytes (process thread only)
    // Under the client's mutex:
    std::uint64_t cycles = 0;  // process cycles run since the port joined the list
    std::uint64_t tookAt = 0;  // output: the cycle that last took bytes (0: none yet)
    bool connectedRan = false; // a cycle ran with a connection in the server's graph

    ~JackPort() {
        if (ring != nullptr) {
            jack_ringbuffer_free(ring);
        }
    }
};

// Timing clock and active sensing are of no use to an editor, and a keyboard's clock would wake
// the window hundreds of times a second. Being real-time bytes they may sit anywhere, even inside
// a SysEx message, so they are taken out byte by byte; a time code event goes whole.
void AppendWanted(const jack_midi_event_t& event, std::vector<std::uint8_t>& out) {
    if (event.buffer[0] == 0xF1 && event.size == 2) {
        return;
    }
    for (std::size_t i = 0; i < event.size; ++i) {
        if (event.buffer[i] != 0xF8 && event.buffer[i] != 0xFE) {
            out.push_back(event.buffer[i]);
        }
    }
}

class JackClient {
public:
    explicit JackClient(jack_client_t* client) : client_(client) {}
    ~JackClient() {
        jack_deactivate(client_);
        jack_client_close(client_);
    }
    JackClient(const JackClient&) = delete;
    JackClient& operator=(const JackClient&) = delete;

    jack_client_t* Get() const { return client_; }
    bool Gone() {
        std::lock_guard lock(mutex_);
        return gone_;
    }

    bool Activate() {
        jack_on_shutdown(client_, &JackClient::ServerGone, this);
        return jack_set_process_callback(client_, &JackClient::Process, this) == 0 &&
               jack_activate(client_) == 0;
    }

    void Add(const std::shared_ptr<JackPort>& port) {
        std::lock_guard lock(mutex_);
        ports_.push_back(port);
    }

    // Takes the port off the list (the process thread no longer touches it), then off the server.
    void Remove(const std::shared_ptr<JackPort>& port) {
        {
            std::lock_guard lock(mutex_);
            ports_.erase(std::remove(ports_.begin(), ports_.end(), port), ports_.end());
        }
        jack_port_unregister(client_, port->port);
    }

    // Waits until done (checked under the mutex after each cycle) holds; false after kCycleWait
    // or at once when the server has gone.
    template <class Done> bool WaitForCycle(Done done) {
        std::unique_lock lock(mutex_);
        return cycled_.wait_for(lock, kCycleWait, [this, &done] { return gone_ || done(); }) &&
               !gone_;
    }

private:
    // The server stopped or dropped this client: no cycle will come again.
    static void ServerGone(void* self) {
        auto& client = *static_cast<JackClient*>(self);
        {
            std::lock_guard lock(client.mutex_);
            client.gone_ = true;
        }
        client.cycled_.notify_all();
    }

    static int Process(jack_nframes_t frames, void* self) {
        auto& client = *static_cast<JackClient*>(self);
        {
            std::lock_guard lock(client.mutex_);
            for (const auto& port : client.ports_) {
                void* buffer = jack_port_get_buffer(port->port, frames);
                ++port->cycles;
                if (!port->connectedRan && jack_port_connected(port->port) > 0) {
                    port->connectedRan = true;
                }
                if (port->kind == MidiKind::Input) {
                    TakeInput(*port, buffer);
                } else if (port->connectedRan) {
                    GiveOutput(*port, buffer);
                } else {
                    // Until a cycle runs with the connection, bytes given would reach nobody:
                    // they wait in the ring, so opening an output need not wait for the server.
                    jack_midi_clear_buffer(buffer);
                }
            }
        }
        client.cycled_.notify_all();
        return 0;
    }

    // This cycle's events, handed over at once so the owner wakes once per cycle.
    static void TakeInput(JackPort& port, void* buffer) {
        port.scratch.clear();
        const std::uint32_t count = jack_midi_get_event_count(buffer);
        for (std::uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event{};
            if (jack_midi_event_get(&event, buffer, i) == 0 && event.size > 0) {
                AppendWanted(event, port.scratch);
            }
        }
        if (!port.scratch.empty()) {
            port.queue->Push(port.scratch);
        }
    }

    // As many whole pieces as the server's buffer takes this cycle; the rest waits in the ring.
    static void GiveOutput(JackPort& port, void* buffer) {
        jack_midi_clear_buffer(buffer);
        std::uint32_t size = 0;
        while (jack_ringbuffer_read_space(port.ring) >= sizeof size) {
            jack_ringbuffer_peek(port.ring, reinterpret_cast<char*>(&size), sizeof size);
            if (jack_ringbuffer_read_space(port.ring) < sizeof size + size) {
                break; // the writer is still adding the piece's bytes
            }
            jack_midi_data_t* out = jack_midi_event_reserve(buffer, 0, size);
            if (out == nullptr && jack_midi_get_event_count(buffer) > 0) {
                break; // the buffer is full for this cycle
            }
            jack_ringbuffer_read_advance(port.ring, sizeof size);
            port.tookAt = port.cycles;
            if (out == nullptr) {
                // Larger than the server's whole buffer: it can never go, and must not hold
                // back everything behind it.
                jack_ringbuffer_read_advance(port.ring, size);
                continue;
            }
            jack_ringbuffer_read(port.ring, reinterpret_cast<char*>(out), size);
        }
    }

    jack_client_t* client_;
    std::mutex mutex_;
    std::condition_variable cycled_;
    std::vector<std::shared_ptr<JackPort>> ports_;
    bool gone_ = false;
};

// A port name of this client not yet in use: "in", then "in 2", "in 3", ...
std::string FreePortName(jack_client_t* client, const char* base) {
    const std::string prefix = std::string(jack_get_client_name(client)) + ":";
    for (int n = 1;; ++n) {
        const std::string name = n == 1 ? base : std::string(base) + " " + std::to_string(n);
        if (jack_port_by_name(client, (prefix + name).c_str()) == nullptr) {
            return name;
        }
    }
}

class JackOutPort final : public MidiOutPort {
public:
    JackOutPort(std::shared_ptr<JackClient> client, std::shared_ptr<JackPort> port, int pauseMs)
        : client_(std::move(client)), port_(std::move(port)), pause_(pauseMs) {}
    ~JackOutPort() override { Close(); }

    bool Send(std::span<const std::uint8_t> bytes, const ChunkProgress& progress) override {
        if (!IsOpen()) {
            return false;
        }
        // Raw pieces, unthrottled: Piece waits while the ring is full.
        return SendByPolicy(
            bytes, SenderPolicy{},
            [this](std::span<const std::uint8_t> piece) { return Piece(piece); }, progress);
    }
    bool IsOpen() const override { return port_ != nullptr; }
    // Waits (at most a second each) until the ring is empty and this client has run the cycle
    // after the one that took the last piece. That cycle starts only once every client has
    // finished the one before, so whoever reads this port has the bytes by then: a client fed
    // directly read them in the same cycle, one fed through a loop reads them first thing in the
    // next one, before this client runs. An output whose last bytes left long ago (a request
    // before an answer) drains at once.
    void Drain() override {
        if (!port_) {
            return;
        }
        client_->WaitForCycle([this] { return jack_ringbuffer_read_space(port_->ring) == 0; });
        client_->WaitForCycle(
            [this] { return port_->tookAt == 0 || port_->cycles >= port_->tookAt + 1; });
    }
    void Close() override {
        if (!port_) {
            return;
        }
        Drain();
        client_->Remove(port_);
        port_.reset();
        client_.reset();
    }

private:
    bool Piece(std::span<const std::uint8_t> piece) {
        if (piece.empty()) {
            return true;
        }
        pause_.Before(piece);
        const auto size = static_cast<std::uint32_t>(piece.size());
        const std::size_t need = sizeof size + piece.size();
        if (client_->Gone()) {
            return false;
        }
        if (jack_ringbuffer_write_space(port_->ring) < need && !client_->WaitForCycle([this, need] {
                return jack_ringbuffer_write_space(port_->ring) >= need;
            })) {
            return false; // the server stopped taking bytes
        }
        jack_ringbuffer_write(port_->ring, reinterpret_cast<const char*>(&size), sizeof size);
        jack_ringbuffer_write(port_->ring, reinterpret_cast<const char*>(piece.data()),
                              piece.size());
        pause_.After(piece);
        return true;
    }

    std::shared_ptr<JackClient> client_;
    std::shared_ptr<JackPort> port_;
    MessagePause pause_;
};

class JackInPort final : public QueuedInPort {
public:
    JackInPort(std::shared_ptr<JackClient> client, std::shared_ptr<JackPort> port)
        : QueuedInPort(port->queue), client_(std::move(client)), port_(std::move(port)) {}
    ~JackInPort() override { Close(); }

    void Close() override {
        // The queue refuses bytes first, so a cycle racing with closing hands nothing over.
        Queue()->Close();
        if (port_) {
            client_->Remove(port_);
            port_.reset();
            client_.reset();
        }
    }

private:
    std::shared_ptr<JackClient> client_;
    std::shared_ptr<JackPort> port_;
};

class JackBackend final : public MidiBackend {
public:
    JackBackend(std::shared_ptr<JackClient> client, int pauseMs)
        : client_(std::move(client)), pauseMs_(pauseMs) {}

    std::string ApiName() const override { return "JACK"; }

    // Other clients' MIDI ports: their outputs are our inputs and the other way round.
    std::vector<std::string> PortNames(MidiKind kind) override {
        std::vector<std::string> names;
        jack_client_t* client = client_->Get();
        const char** ports =
            jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE,
                           kind == MidiKind::Input ? JackPortIsOutput : JackPortIsInput);
        for (std::size_t i = 0; ports != nullptr && ports[i] != nullptr; ++i) {
            if (!jack_port_is_mine(client, jack_port_by_name(client, ports[i]))) {
                names.emplace_back(ports[i]);
            }
        }
        jack_free(ports);
        return names;
    }

    std::unique_ptr<MidiOutPort> OpenOut(int index, std::string& error) override {
        auto port = Open(MidiKind::Output, index, error);
        return port ? std::make_unique<JackOutPort>(client_, std::move(port), pauseMs_) : nullptr;
    }

    // An input is connected before anything is sent, and an answer takes at least a cycle.
    std::unique_ptr<MidiInPort> OpenIn(int index, std::string& error) override {
        auto port = Open(MidiKind::Input, index, error);
        return port ? std::make_unique<JackInPort>(client_, std::move(port)) : nullptr;
    }

private:
    std::shared_ptr<JackPort> Open(MidiKind kind, int index, std::string& error) {
        const std::vector<std::string> names = PortNames(kind);
        if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
            error = "No such MIDI port.";
            return nullptr;
        }
        jack_client_t* client = client_->Get();
        const bool input = kind == MidiKind::Input;
        auto port = std::make_shared<JackPort>();
        port->kind = kind;
        port->port = jack_port_register(client, FreePortName(client, input ? "in" : "out").c_str(),
                                        JACK_DEFAULT_MIDI_TYPE,
                                        input ? JackPortIsInput : JackPortIsOutput, 0);
        if (port->port == nullptr) {
            error = "The MIDI port could not be opened.";
            return nullptr;
        }
        if (input) {
            port->queue = std::make_shared<MidiInputQueue>();
            port->queue->Open();
            port->scratch.reserve(4096);
        } else {
            port->ring = jack_ringbuffer_create(kRingBytes);
        }
        client_->Add(port);
        const std::string& other = names[static_cast<std::size_t>(index)];
        const char* mine = jack_port_name(port->port);
        const int failed = input ? jack_connect(client, other.c_str(), mine)
                                 : jack_connect(client, mine, other.c_str());
        if (failed != 0 && failed != EEXIST) {
            client_->Remove(port);
            error = "Cannot connect to " + other + ".";
            return nullptr;
        }
        return port;
    }

    std::shared_ptr<JackClient> client_;
    int pauseMs_;
};

} // namespace

std::unique_ptr<MidiBackend> MakeJackBackend(const std::string& clientName, int messagePauseMs,
                                             std::string& error) {
    jack_status_t status{};
    jack_client_t* raw = nullptr;
    {
        const NoMemoryLocking noLocking; // libjack maps and would pin the port memory here
        raw = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    }
    if (raw == nullptr) {
        error = "The JACK server is not running.";
        return nullptr;
    }
    auto client = std::make_shared<JackClient>(raw);
    if (!client->Activate()) {
        error = "The JACK client could not be activated.";
        return nullptr;
    }
    return std::make_unique<JackBackend>(std::move(client), messagePauseMs);
}

} // namespace presetor
