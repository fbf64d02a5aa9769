#include "MemoryLocking.h"

#if defined(__linux__)
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace presetor {

#if defined(__linux__)
namespace {
// The usual limit of a user's locked memory (the kernel's default): room for the small pieces
// libjack needs locked (its semaphores are mapped locked, and refused without room), none for the
// port memory.
constexpr rlim_t kUsualLimit = 8 * 1024 * 1024;
} // namespace
#endif

void ForgoMemoryLocking() {
#if defined(__linux__)
    rlimit limit{};
    if (getrlimit(RLIMIT_MEMLOCK, &limit) == 0 && limit.rlim_cur > kUsualLimit) {
        limit.rlim_cur = kUsualLimit; // the hard limit stays: the soft one can be raised again
        setrlimit(RLIMIT_MEMLOCK, &limit);
    }
    // A process holding CAP_IPC_LOCK in its effective set locks past any limit. Taking it out of
    // the effective set only (it stays permitted) is allowed without further privilege.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return;
    }
    auto& word = data[CAP_TO_INDEX(CAP_IPC_LOCK)].effective;
    if ((word & CAP_TO_MASK(CAP_IPC_LOCK)) != 0) {
        word &= ~CAP_TO_MASK(CAP_IPC_LOCK);
        syscall(SYS_capset, &header, data);
    }
#endif
}

} // namespace presetor
