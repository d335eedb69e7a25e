#include "host/env_manager.h"

extern "C" int LdgEnvMgrVersion() {
    return 1;
}
