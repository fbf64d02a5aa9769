// The MIDI commands' usage and summaries, shown both by presetor-cli (which hands them over) and
// by presetor-cli-midi (which runs them), so the two never disagree.
#pragma once

namespace presetor::cli {

inline constexpr char kPortsUsage[] = "[--api jack|alsa]";
inline constexpr char kPortsSummary[] = "List the MIDI input and output ports.";

inline constexpr char kReceiveUsage[] =
    "--type lmk3|lmk4 --in PORT --out PORT [--bulk] [--timeout MS] [--pause MS] "
    "[--full-speed] [--keep-damaged] OUT.lmk";
inline constexpr char kReceiveSummary[] =
    "Load all presets from the keyboard into a preset file (written only when complete).\n"
    "      Presets that arrive damaged are asked for again up to 3 times; if some stay\n"
    "      damaged they are named and nothing is written (exit 1), or with --keep-damaged the\n"
    "      file is written with them (exit 3). --timeout: silence that ends a load once the\n"
    "      keyboard answered (default 3000).";

inline constexpr char kSendUsage[] =
    "--in PORT --out PORT [--bulk] [--pause MS] [--full-speed] [--verify] IN.lmk";
inline constexpr char kSendSummary[] =
    "Send all presets of a preset file to the keyboard (an LMK4 then stores them in EEPROM).\n"
    "      Output is paced at MIDI wire speed unless --full-speed; --verify reads the presets\n"
    "      back and compares them (an LMK4 stores them only when they match).";

} // namespace presetor::cli
