#include "host/env_manager.h"

extern "C" int LDG_C_CALL LdgEnvMgrVersion() {
    return 1;
}
