#include "host/host_link.h"

#include <cstdint>
#include <string>

#include "hostsim/host_session.h"
#include "hostsim/message_box.h"

using hostsim::Session;

ClHostLink* ClHostLink::Instance() {
    static ClHostLink link;
    return &link;
}

void ClHostLink::SetMessageTitle(const char* title) {
    Session().journal.WriteLine("set MessageTitle");
    Session().messageTitle = title != nullptr ? title : "";
}

void ClHostLink::SetOwnerWindow(HostWindow owner) {
    const auto handle = reinterpret_cast<std::uintptr_t>(owner);
    Session().journal.WriteLine("set OwnerWindow " + std::to_string(handle));
    Session().ownerWindow = handle;
}

void ClHostLink::SetClientKind(ClientKind kind) {
    Session().journal.Write("SetClientKind", {kind});
}

void ClHostLink::SetDataUsage(std::int32_t usage) {
    Session().journal.Write("SetDataUsage", {usage});
}

std::int32_t ClHostLink::Connect() {
    const std::int32_t result = hostsim::LoadSessionState();
    Session().journal.Write("Connect");
    return result;
}

std::int32_t ClHostLink::JoinHostSession() {
    Session().journal.Write("JoinHostSession");
    return Session().loaded ? Session().state.results.joinHostSession : 1;
}

std::int32_t ClHostLink::SignOut() {
    Session().journal.Write("SignOut");
    if (Session().state.results.signOutCrash != 0) hostsim::CrashAsAFaultyLibrary();
    return 0;
}

std::int32_t ClHostLink::Disconnect() {
    Session().journal.Write("Disconnect");
    return 0;
}

void ClHostLink::ReleaseInstance() {
    Session().journal.Write("ReleaseInstance");
}

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

std::int32_t ClHostLink::ShowMessage(HostWindow owner, const char* text, const char* title,
                                     std::uint32_t style) {
    const auto handle = reinterpret_cast<std::uintptr_t>(owner);
    Session().journal.Write("ShowMessage",
                            {static_cast<std::int64_t>(handle), static_cast<std::int64_t>(style)});
    const std::string shown =
        ReplaceAll(text != nullptr ? text : "", "ES_APRPACKAGENAME", Session().state.packageName);
    return hostsim::ShowMessageBox(handle, shown, title != nullptr ? title : "", style);
}
