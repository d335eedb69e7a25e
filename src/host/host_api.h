// Import/export markers of the host libraries. The program links against
// them as DLLs on Windows; the native build links one static library.
#pragma once

#if defined(_WIN32) && !defined(LDG_HOST_STATIC)
#define LDG_DLL_EXPORT __declspec(dllexport)
#define LDG_DLL_IMPORT __declspec(dllimport)
#else
#define LDG_DLL_EXPORT
#define LDG_DLL_IMPORT
#endif

// The C entry points keep the C calling convention whatever the compiler's
// default: in 32-bit code __stdcall would change their exported names
// (Name@N) and who cleans the stack. Classes use the C++ ABI as they are.
#if defined(_WIN32)
#define LDG_C_CALL __cdecl
#else
#define LDG_C_CALL
#endif

#ifdef LDG_BUILDING_LINK
#define LDG_LINK_API LDG_DLL_EXPORT
#else
#define LDG_LINK_API LDG_DLL_IMPORT
#endif

#ifdef LDG_BUILDING_CMN
#define LDG_CMN_API LDG_DLL_EXPORT
#else
#define LDG_CMN_API LDG_DLL_IMPORT
#endif

#ifdef LDG_BUILDING_BCORE
#define LDG_BCORE_API LDG_DLL_EXPORT
#else
#define LDG_BCORE_API LDG_DLL_IMPORT
#endif

#ifdef LDG_BUILDING_FILEMGR
#define LDG_FILEMGR_API LDG_DLL_EXPORT
#else
#define LDG_FILEMGR_API LDG_DLL_IMPORT
#endif

#ifdef LDG_BUILDING_MSGMGR
#define LDG_MSGMGR_API LDG_DLL_EXPORT
#else
#define LDG_MSGMGR_API LDG_DLL_IMPORT
#endif

#ifdef LDG_BUILDING_ENVMGR
#define LDG_ENVMGR_API LDG_DLL_EXPORT
#else
#define LDG_ENVMGR_API LDG_DLL_IMPORT
#endif
