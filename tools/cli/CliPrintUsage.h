// The print command's usage and summary, shown both by presetor-cli (which hands print over) and
// by presetor-cli-print (which runs it), so the two never disagree.
#pragma once

namespace presetor::cli {

inline constexpr char kPrintUsage[] = "[--preset N] [--summary | --bank] IN.lmk OUT.pdf";
inline constexpr char kPrintSummary[] =
    "Write the printed page of preset N (serial number, 1 by default) as a PDF; with --summary "
    "the window's full summary of that preset, with --bank a list of all presets and one summary "
    "page per preset (without sound names).";

} // namespace presetor::cli
