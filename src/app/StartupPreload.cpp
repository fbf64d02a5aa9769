#include "StartupPreload.h"

#include <mutex>
#include <thread>

#if PRESETOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#if PRESETOR_HAVE_QTDBUS
#include <QDBusConnection>
#endif

namespace presetor {

#if PRESETOR_HAVE_FONTCONFIG
namespace {

// The helper thread; joined by the first wait or at the latest when the program ends.
struct FontHelper {
    std::mutex lock;
    std::thread thread;
    bool started = false;

    ~FontHelper() { Join(); }

    void Join() {
        const std::lock_guard<std::mutex> guard(lock);
        if (thread.joinable()) {
            thread.join();
        }
    }
};

FontHelper& TheFontHelper() {
    static FontHelper helper;
    return helper;
}

} // namespace

void StartFontPreload() {
    FontHelper& helper = TheFontHelper();
    const std::lock_guard<std::mutex> guard(helper.lock);
    if (helper.started) {
        return;
    }
    helper.started = true;
    // Parsing the configuration files and mapping the font caches is most of what the first text
    // costs; FcInit keeps the result as the process's current configuration.
    helper.thread = std::thread([] { FcInit(); });
}

void WaitForFontPreload() {
    TheFontHelper().Join();
}

#else

void StartFontPreload() {}
void WaitForFontPreload() {}

#endif

struct SessionBusPreload::Helper {
    std::thread thread;
};

SessionBusPreload::SessionBusPreload() {
#if PRESETOR_HAVE_QTDBUS
    // Without a running bus, connecting tries to start one (dbus-launch) and can take several
    // milliseconds; with one it is a local socket. Qt keeps the connection for the whole run.
    helper = new Helper{std::thread([] { QDBusConnection::sessionBus(); })};
#endif
}

SessionBusPreload::~SessionBusPreload() {
    if (helper) {
        helper->thread.join();
        delete helper;
    }
}

} // namespace presetor
