// LdgMsgMgr and LdgEnvMgr are linked like the other host libraries; the
// program calls neither (LdgEnvMgr supplies ClientKind, in host_types.h).
#pragma once

#include "host/host_api.h"

extern "C" LDG_MSGMGR_API int LDG_C_CALL LdgMsgMgrVersion();
extern "C" LDG_ENVMGR_API int LDG_C_CALL LdgEnvMgrVersion();
