// The bytes of a file of the repository (shipped edition files, sample
// host states), for tests that use the real data.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string SourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(LDG_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
