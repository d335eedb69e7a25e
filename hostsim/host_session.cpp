#include "hostsim/host_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace hostsim {

namespace {
std::unique_ptr<HostSession>& SessionSlot() {
    static std::unique_ptr<HostSession> session = std::make_unique<HostSession>();
    return session;
}
}  // namespace

HostSession& Session() {
    return *SessionSlot();
}

void CrashAsAFaultyLibrary() {
#ifdef _WIN32
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
#endif
    std::abort();
}

void ResetSession() {
    SessionSlot() = std::make_unique<HostSession>();
}

HostCursorState* HostSession::OpenCursor(HostCursorState::Kind kind) {
    cursors.push_back(std::make_unique<HostCursorState>(HostCursorState{kind, 0}));
    return cursors.back().get();
}

HostCursorState* HostSession::FindCursor(HostCursor cursor, HostCursorState::Kind kind) {
    for (const auto& open : cursors) {
        if (open.get() == cursor && open->kind == kind) return open.get();
    }
    return nullptr;
}

bool HostSession::CloseCursor(HostCursor cursor) {
    const auto it = std::find_if(cursors.begin(), cursors.end(),
                                 [cursor](const auto& open) { return open.get() == cursor; });
    if (it == cursors.end()) return false;
    cursors.erase(it);
    return true;
}

const DatasetEntry* HostSession::OpenDataset() const {
    return loaded ? state.OpenDataset() : nullptr;
}

std::int32_t LoadSessionState() {
    HostSession& session = Session();
    if (session.loaded) return session.state.results.connect;
    StateFileText text;
    std::string fileName;
    const StateFileStatus status = ReadStateFile(text, fileName);
    if (status == StateFileStatus::kAbsent) return 1;
    StateParseError error{"(file)", "cannot be read whole"};
    const StateParseResult result = status == StateFileStatus::kUnreadable
                                        ? kStateMalformed
                                        : ParseHostState(text.View(), session.state, error);
    if (result != kStateOk) {
        std::fprintf(stderr, "LdgHostState: %s: %s: %s\n", fileName.c_str(), error.field.c_str(),
                     error.reason.c_str());
        return result;
    }
    session.loaded = true;
    session.journal.Open(session.state.journalPath);
    return session.state.results.connect;
}

}  // namespace hostsim
