// The stand-in's one session with the "running host": the state read at
// Connect, the journal and the open cursors. It lives in LdgLink; the other
// stand-in libraries reach it through Session().
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_api.h"
#include "host/host_types.h"
#include "hostsim/host_state.h"
#include "hostsim/journal.h"

struct HostCursorState {
    enum class Kind { kDatasets, kAccounts };
    Kind kind;
    std::size_t position = 0;
};

namespace hostsim {

// A message box as the stand-in was asked to show it (kept in the native
// build, where no window can be shown).
struct ShownMessage {
    std::uintptr_t owner;
    std::string text;
    std::string title;
    std::uint32_t style;
};

struct LDG_LINK_API HostSession {
    HostState state;
    bool loaded = false;
    std::string messageTitle;
    std::uintptr_t ownerWindow = 0;
    Journal journal;
    std::vector<std::unique_ptr<HostCursorState>> cursors;
    std::vector<ShownMessage> shownMessages;
    // Totals queries begun so far.
    std::int32_t totalsQueriesBegun = 0;

    HostCursorState* OpenCursor(HostCursorState::Kind kind);
    // Null for a cursor this session did not open or has closed.
    HostCursorState* FindCursor(HostCursor cursor, HostCursorState::Kind kind);
    bool CloseCursor(HostCursor cursor);
    // The open dataset, or null before Connect or when there is none.
    const DatasetEntry* OpenDataset() const;
};

LDG_LINK_API HostSession& Session();
// What a library with a fault does to its caller: an access violation that
// no return code reports (natively the process aborts).
[[noreturn]] LDG_LINK_API void CrashAsAFaultyLibrary();
// Back to the state of a process that has not linked yet (for tests).
LDG_LINK_API void ResetSession();
// Reads the state file as Connect does; returns Connect's result.
LDG_LINK_API std::int32_t LoadSessionState();

enum class StateFileStatus { kAbsent, kRead, kUnreadable };

// The state file's bytes: mapped into memory where the system allows it
// (a large state then costs no copy), else read whole.
class StateFileText {
  public:
    StateFileText() = default;
    ~StateFileText();
    StateFileText(const StateFileText&) = delete;
    StateFileText& operator=(const StateFileText&) = delete;

    std::string_view View() const {
        return mapped_ != nullptr ? std::string_view(mapped_, size_) : std::string_view(read_);
    }

  private:
    friend StateFileStatus ReadStateFile(StateFileText& text, std::string& displayName);
    const char* mapped_ = nullptr;
    std::size_t size_ = 0;
    std::string read_;
};

// Finds the state file and reads it whole.
StateFileStatus ReadStateFile(StateFileText& text, std::string& displayName);

}  // namespace hostsim
