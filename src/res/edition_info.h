// The edition a program was built for, as the program's code sees it.
#pragma once

#include <string>

struct EditionInfo {
    const char* displayName;  // written into the report when the host names no product
    const char* filePrefix;   // names the edition's definition files
    const char* programVersion;
    const char* fallbackProductVersion;

    // The edition's item definition and default mapping files.
    std::string ItemDefinitionFileName() const { return std::string(filePrefix) + "_GaiKmk.dat"; }
    std::string DefaultMappingFileName() const { return std::string(filePrefix) + "_DefKmk.dat"; }
};

// Defined once per program build (edition.cpp is compiled with LDG_EDITION).
const EditionInfo& CurrentEdition();
