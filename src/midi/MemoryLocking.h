// Keeps libjack from pinning the server's port memory in this process.
#pragma once

namespace presetor {

// From this call on, the process locks no more memory into RAM than a user may by default: its
// memory-lock limit is lowered to the kernel's usual 8 MB where it is higher and, where it holds
// the privilege to lock past any limit, that privilege is set aside (kept in reserve, not given
// up). libjack pins the server's whole port memory in every client
// that may lock it (root, or a user whose limit is unlimited, as audio groups are often set up):
// over 100 MB at the server's usual port count, about 11 ms to lock when the client opens, as
// long again to unlock at exit, and resident all the while. The program's JACK callbacks only
// move MIDI bytes between rings, so it has nothing to gain from pinned memory; libjack goes on
// unpinned when the lock is refused, as for any user under the usual limit. Does nothing on
// systems other than Linux.
void ForgoMemoryLocking();

} // namespace presetor
