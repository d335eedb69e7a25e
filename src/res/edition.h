/* The three editions of the program: one code base, one build each. Read by
   the C++ sources and by the resource script, so macros only. */
#pragma once

#define LDG_EDITION_SELECT 1
#define LDG_EDITION_ADVANCE 2
#define LDG_EDITION_STANDARD 3

#define LDG_SELECT_DISPLAY_NAME "帳簿丸１８ SELECT"
#define LDG_SELECT_FILE_PREFIX "LdgSel18ToQb16_G"
#define LDG_ADVANCE_DISPLAY_NAME "帳簿丸１８ ADVANCE"
#define LDG_ADVANCE_FILE_PREFIX "LdgAdv18ToQb16_G"
#define LDG_STANDARD_DISPLAY_NAME "帳簿丸１８"
#define LDG_STANDARD_FILE_PREFIX "LdgBas18ToQb16_G"

/* Written as the connected program's version, the same in every edition. */
#define LDG_PROGRAM_VERSION "18.00.00"
#define LDG_PROGRAM_VERSION_NUMBERS 18, 0, 0, 0
/* The product version written when the host's support file names none. */
#define LDG_FALLBACK_PRODUCT_VERSION "18.00.0X"

#if defined(LDG_EDITION)
#if LDG_EDITION == LDG_EDITION_SELECT
#define LDG_EDITION_DISPLAY_NAME LDG_SELECT_DISPLAY_NAME
#define LDG_EDITION_FILE_PREFIX LDG_SELECT_FILE_PREFIX
#elif LDG_EDITION == LDG_EDITION_ADVANCE
#define LDG_EDITION_DISPLAY_NAME LDG_ADVANCE_DISPLAY_NAME
#define LDG_EDITION_FILE_PREFIX LDG_ADVANCE_FILE_PREFIX
#elif LDG_EDITION == LDG_EDITION_STANDARD
#define LDG_EDITION_DISPLAY_NAME LDG_STANDARD_DISPLAY_NAME
#define LDG_EDITION_FILE_PREFIX LDG_STANDARD_FILE_PREFIX
#else
#error "LDG_EDITION names no edition"
#endif
#endif
