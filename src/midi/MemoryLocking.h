// Keeps libjack from pinning the server's port memory in this process.
#pragma once

#if defined(__linux__)
#include <sys/resource.h>
#endif

namespace presetor {

// While it lives, the calling thread locks no more memory into RAM than a user may by default:
// the process's memory-lock limit is lowered to the kernel's usual 8 MB where it is higher and,
// where the thread holds the privilege to lock past any limit (CAP_IPC_LOCK), that privilege is
// set aside; both come back when it goes. Made around opening a JACK client: libjack pins the
// server's whole port memory in every client that may lock it (root, or a user whose limit is
// unlimited, as audio groups are often set up), over 100 MB at the server's usual port count:
// about 10 ms to lock at the open, 5 ms to unlock at exit, and resident all the while. The
// program's JACK callbacks only move MIDI bytes between rings, so it has nothing to gain from
// pinned memory; libjack goes on unpinned when the lock is refused, as for any user under the
// usual limit. Does nothing on systems other than Linux.
class NoMemoryLocking {
public:
    NoMemoryLocking();
    ~NoMemoryLocking();
    NoMemoryLocking(const NoMemoryLocking&) = delete;
    NoMemoryLocking& operator=(const NoMemoryLocking&) = delete;

private:
#if defined(__linux__)
    rlimit saved{};
    bool limitLowered = false;
    bool privilegeSetAside = false;
#endif
};

} // namespace presetor
