// The program's compiled-in files (icons, toolbar pictures, desktop entry, MIME type) live in
// this static library; they must be registered before the first use.
#pragma once

namespace presetor {

// Registers the resources once; later calls do nothing.
void InitResources();

} // namespace presetor
