#include "host/data_hub.h"

#include <cstring>
#include <string>

#include "hostsim/host_session.h"
#include "hostsim/table_registry.h"

using hostsim::Session;

void ClUserDirectory::GetCurrentUserId(char (&userId)[65]) {
    Session().journal.Write("GetCurrentUserId");
    const std::string& id = Session().state.userId;
    const std::size_t length = id.size() < sizeof userId ? id.size() : sizeof userId - 1;
    std::memcpy(userId, id.data(), length);
    userId[length] = '\0';
}

void ClUserDirectory::GetSelection(const char* /*userId*/, std::int32_t* first,
                                   std::int32_t* second) {
    Session().journal.Write("GetSelection");
    if (first != nullptr) *first = Session().state.selectionFirst;
    if (second != nullptr) *second = Session().state.selectionSecond;
}

ClDataHub* ClDataHub::Instance() {
    static ClDataHub hub;
    return &hub;
}

ClTableBase* ClDataHub::GetTable(std::int32_t kind, std::int32_t mode) {
    Session().journal.Write("GetTable", {kind, mode});
    return hostsim::TableOfKind(kind);
}

ClTableSet* ClDataHub::GetTableSet() {
    Session().journal.Write("GetTableSet");
    static ClTableSet tableSet;
    return &tableSet;
}

ClUserDirectory* ClDataHub::GetUserDirectory() {
    Session().journal.Write("GetUserDirectory");
    static ClUserDirectory directory;
    return &directory;
}

ClLinkOptions* ClLinkOptions::Instance() {
    static ClLinkOptions options;
    return &options;
}

ClOptionSet* ClLinkOptions::GetOptions() {
    Session().journal.Write("GetOptions");
    static ClOptionSet optionSet;
    return &optionSet;
}
