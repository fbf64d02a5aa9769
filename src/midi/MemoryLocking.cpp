#include "MemoryLocking.h"

#if defined(__linux__)
#include <linux/capability.h>
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

// Turns CAP_IPC_LOCK in the calling thread's effective set on or off; true when it was changed.
// Only the effective set changes (the privilege stays permitted), which needs no privilege.
bool SetLockPrivilege(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    auto& effective = data[CAP_TO_INDEX(CAP_IPC_LOCK)].effective;
    const __u32 bit = CAP_TO_MASK(CAP_IPC_LOCK);
    if (((effective & bit) != 0) == on) {
        return false;
    }
    effective = on ? effective | bit : effective & ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

NoMemoryLocking::NoMemoryLocking() {
    if (getrlimit(RLIMIT_MEMLOCK, &saved) == 0 && saved.rlim_cur > kUsualLimit) {
        rlimit lowered = saved; // the hard limit stays, so the soft one can be raised again
        lowered.rlim_cur = kUsualLimit;
        limitLowered = setrlimit(RLIMIT_MEMLOCK, &lowered) == 0;
    }
    privilegeSetAside = SetLockPrivilege(false);
}

NoMemoryLocking::~NoMemoryLocking() {
    if (privilegeSetAside) {
        SetLockPrivilege(true);
    }
    if (limitLowered) {
        setrlimit(RLIMIT_MEMLOCK, &saved);
    }
}

#else

NoMemoryLocking::NoMemoryLocking() = default;
NoMemoryLocking::~NoMemoryLocking() = default;

#endif

} // namespace presetor
