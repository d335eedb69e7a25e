#include "res/edition.h"

#include "res/edition_info.h"

#ifndef LDG_EDITION
#error "build edition.cpp with LDG_EDITION set"
#endif

const EditionInfo& CurrentEdition() {
    static const EditionInfo edition = {LDG_EDITION_DISPLAY_NAME, LDG_EDITION_FILE_PREFIX,
                                        LDG_PROGRAM_VERSION, LDG_FALLBACK_PRODUCT_VERSION};
    return edition;
}
