// JACK input that keeps each event as it arrived.
#include "JackPieceInput.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace presetor {

std::unique_ptr<JackPieceInput> JackPieceInput::Open(const std::string& clientName,
                                                     const std::string& portName,
                                                     std::string& error) {
    std::unique_ptr<JackPieceInput> input(new JackPieceInput);
    jack_status_t status{};
    auto* client = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (client == nullptr) {
        error = "no JACK server answers";
        return nullptr;
    }
    input->client_ = client;
    input->port_ =
        jack_port_register(client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (input->port_ == nullptr || jack_set_process_callback(client, &Process, input.get()) != 0 ||
        jack_activate(client) != 0) {
        error = "cannot open the JACK input port " + clientName + ":" + portName;
        return nullptr;
    }
    return input;
}

JackPieceInput::~JackPieceInput() {
    if (client_ != nullptr) {
        auto* client = static_cast<jack_client_t*>(client_);
        jack_deactivate(client);
        jack_client_close(client);
    }
}

// JACK's process thread: copies this cycle's events under a short lock, as RtMidi's own input
// callback does from the same thread.
int JackPieceInput::Process(unsigned frames, void* self) {
    auto& input = *static_cast<JackPieceInput*>(self);
    void* buffer = jack_port_get_buffer(static_cast<jack_port_t*>(input.port_), frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    if (count == 0) {
        return 0;
    }
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(input.mutex_);
        for (std::uint32_t i = 0; i < count; ++i) {
            jack_midi_event_t event{};
            if (jack_midi_event_get(&event, buffer, i) == 0 && event.size > 0) {
                input.pieces_.push_back({now, Bytes(event.buffer, event.buffer + event.size)});
            }
        }
    }
    input.cv_.notify_one();
    return 0;
}

void JackPieceInput::Take(std::deque<ArrivedPiece>& out, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, timeout, [this] { return !pieces_.empty(); });
    while (!pieces_.empty()) {
        out.push_back(std::move(pieces_.front()));
        pieces_.pop_front();
    }
}

} // namespace presetor
