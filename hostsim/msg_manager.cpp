#include "host/env_manager.h"

extern "C" int LdgMsgMgrVersion() {
    return 1;
}
