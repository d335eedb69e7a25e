#include "platform/output_file.h"

#include <ios>
#include <string>
#include <string_view>

bool StdOutputFile::Create(const std::string& path) {
    out_.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
    return out_.is_open();
}

bool StdOutputFile::Write(std::string_view bytes) {
    if (!out_.is_open()) return false;
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out_);
}

bool StdOutputFile::Close() {
    if (!out_.is_open()) return true;
    out_.close();
    // close() flushes; a failed flush sets failbit.
    const bool ok = static_cast<bool>(out_);
    out_.clear();
    return ok;
}
