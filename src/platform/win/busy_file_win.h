// Antivirus, backup and sync programs open the files they look at for a few
// milliseconds at a time. An operation on a file that Windows refuses as in
// use (a sharing or lock violation, or access denied, as for a file being
// replaced right now) is tried again for up to a second before it counts
// as failed.
#pragma once

#include <windows.h>

#include <algorithm>

constexpr ULONGLONG kBusyFileWaitMs = 1000;

inline bool IsBusyFileError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Runs `attempt` (true on success, else false with the thread's last error
// set) until it succeeds, fails otherwise than as busy, or a second has
// passed. The last error stays that of the last attempt.
template <typename Attempt>
bool RetryWhileBusy(Attempt&& attempt) {
    const ULONGLONG deadline = GetTickCount64() + kBusyFileWaitMs;
    for (DWORD pause = 5;; pause = std::min<DWORD>(pause * 2, 100)) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (!IsBusyFileError(error) || GetTickCount64() >= deadline) {
            SetLastError(error);
            return false;
        }
        Sleep(pause);
    }
}
