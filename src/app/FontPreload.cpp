#include "FontPreload.h"

#if PRESETOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <mutex>
#include <thread>
#endif

namespace presetor {

#if PRESETOR_HAVE_FONTCONFIG
namespace {

// The helper thread; joined by the first wait or at the latest when the program ends.
struct Preload {
    std::mutex lock;
    std::thread thread;

    ~Preload() { Join(); }

    void Join() {
        const std::lock_guard<std::mutex> guard(lock);
        if (thread.joinable()) {
            thread.join();
        }
    }
};

Preload& ThePreload() {
    static Preload preload;
    return preload;
}

} // namespace

void StartFontPreload() {
    Preload& preload = ThePreload();
    const std::lock_guard<std::mutex> guard(preload.lock);
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    // Parsing the configuration files and mapping the font caches is most of what the first text
    // costs; FcInit keeps the result as the process's current configuration.
    preload.thread = std::thread([] { FcInit(); });
}

void WaitForFontPreload() {
    ThePreload().Join();
}

#else

void StartFontPreload() {}
void WaitForFontPreload() {}

#endif

} // namespace presetor
