// LdgFileMgr: the host's application folders.
#pragma once

#include "host/host_api.h"
#include "host/host_types.h"

class LDG_FILEMGR_API ClFolderService {
  public:
    static ClFolderService* Instance();

    // The folder's path, ending with a backslash, or "" when there is none.
    // The text stays valid until ReleaseInstance.
    const char* GetFolderPath(FolderKind kind);
    void ReleaseInstance();

  private:
    ClFolderService() = default;
};
