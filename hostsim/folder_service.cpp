#include "host/folder_service.h"

#include "hostsim/host_session.h"

using hostsim::Session;

ClFolderService* ClFolderService::Instance() {
    static ClFolderService service;
    return &service;
}

const char* ClFolderService::GetFolderPath(FolderKind kind) {
    Session().journal.Write("GetFolderPath", {kind});
    switch (kind) {
        case kFolderOutput:
            return Session().state.outputFolder.c_str();
        case kFolderConditions:
            return Session().state.conditionsFolder.c_str();
        default:
            return "";
    }
}

void ClFolderService::ReleaseInstance() {
    Session().journal.Write("ReleaseInstance");
}
