// LdgLink: the link with the running host.
#pragma once

#include <cstdint>

#include "host/host_api.h"
#include "host/host_types.h"

class LDG_LINK_API ClHostLink {
  public:
    static ClHostLink* Instance();

    // Caption of the messages that the library shows for the program.
    void SetMessageTitle(const char* title);
    // Owner of those messages.
    void SetOwnerWindow(HostWindow owner);

    void SetClientKind(ClientKind kind);
    void SetDataUsage(std::int32_t usage);
    std::int32_t Connect();
    std::int32_t JoinHostSession();
    std::int32_t SignOut();
    std::int32_t Disconnect();
    void ReleaseInstance();

    // A modal message box; "ES_APRPACKAGENAME" in the text becomes the
    // installed package's display name. Returns the button pressed.
    std::int32_t ShowMessage(HostWindow owner, const char* text, const char* title,
                             std::uint32_t style);

  private:
    ClHostLink() = default;
};
