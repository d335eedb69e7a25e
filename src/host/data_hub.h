// LdgCmn: the data hub, the user directory and the link options.
#pragma once

#include <cstdint>

#include "host/host_api.h"
#include "host/host_types.h"

class ClTableBase;

// Handles that the program only passes back to the host.
class LDG_CMN_API ClTableSet {};
class LDG_CMN_API ClOptionSet {};

class LDG_CMN_API ClUserDirectory {
  public:
    // Writes the user id, NUL-terminated, into a buffer of 65 bytes.
    void GetCurrentUserId(char (&userId)[65]);
    void GetSelection(const char* userId, std::int32_t* first, std::int32_t* second);
};

class LDG_CMN_API ClDataHub {
  public:
    static ClDataHub* Instance();

    // kind: a TableKind; the second argument is always 1.
    ClTableBase* GetTable(std::int32_t kind, std::int32_t mode);
    ClTableSet* GetTableSet();
    ClUserDirectory* GetUserDirectory();

  private:
    ClDataHub() = default;
};

class LDG_CMN_API ClLinkOptions {
  public:
    static ClLinkOptions* Instance();
    ClOptionSet* GetOptions();

  private:
    ClLinkOptions() = default;
};
