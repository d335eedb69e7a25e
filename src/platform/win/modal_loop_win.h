// The program's one modal loop, and the one place where its window
// procedures catch failures.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <utility>
#include <vector>

// Runs a modeless sheet or dialog modally, its owner disabled meanwhile.
// Every message first passes the filters registered for the windows on its
// way up, from its own window through its parents to the top-level window
// (a filter that consumes it ends that way), then the window's dialog
// manager, and is then translated and dispatched.
//
// From construction on, the loop is the innermost one: a window procedure
// that fails (GuardWindowProcedure) keeps its failure here, and the loop
// ends and rethrows it once its owner is enabled again. Loops nest: a filter
// or a handler may run another.
class ModalLoop {
  public:
    // Whose dialog manager sees the messages.
    enum class Kind { kDialog, kPropertySheet };
    // True when it consumed `message`. `child` is the window just below the
    // filter's window on the way to the message's window: that window itself
    // for a direct child, null for a message to the filter's window.
    using Filter = std::function<bool(const MSG& message, HWND child)>;

    // `owner` may be null. `result` is what Run returns unless End is called.
    ModalLoop(HWND owner, int result);
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    void AddFilter(HWND window, Filter filter);

    // Shows `window` in front and runs until End, a failure, the end of the
    // window or the end of the thread's messages (WM_QUIT is posted again for
    // whoever loops outside). Then enables the owner again and gives it the
    // activation back before the window disappears; rethrows a failure kept
    // meanwhile (or before: then the window is not shown). Returns the result.
    int Run(HWND window, Kind kind);
    // Ends the loop after the current message; `result` is Run's result.
    void End(int result);

    // Keeps `failure` for the innermost loop unless it already holds one;
    // false when no loop exists.
    static bool KeepFailure(std::exception_ptr failure);

  private:
    bool Filtered(const MSG& message);

    HWND owner_;
    int result_;
    ModalLoop* outer_;
    std::vector<std::pair<HWND, Filter>> filters_;
    bool ended_ = false;
    std::exception_ptr failure_;
};

// Runs `handler` for a window procedure of the program, so that no exception
// unwinds through the system's frames. A failure goes to the innermost modal
// loop; with none, into `unclaimed`, which the window rethrows on the
// program's next call into it. Returns `failed` after a failure.
template <typename Result, typename Handler>
Result GuardWindowProcedure(std::exception_ptr& unclaimed, Result failed, Handler&& handler) {
    try {
        return std::forward<Handler>(handler)();
    } catch (...) {
        if (!ModalLoop::KeepFailure(std::current_exception()) && !unclaimed) {
            unclaimed = std::current_exception();
        }
        return failed;
    }
}
