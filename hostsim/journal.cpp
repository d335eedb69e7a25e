#include "hostsim/journal.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include "hostsim/text_win.h"
#endif

namespace hostsim {

namespace {

std::FILE* OpenForAppend(const std::string& utf8Path) {
#ifdef _WIN32
    return _wfopen(WideFromUtf8(utf8Path).c_str(), L"ab");
#else
    return std::fopen(utf8Path.c_str(), "ab");
#endif
}

}  // namespace

Journal::~Journal() {
    Close();
}

void Journal::Open(const std::string& utf8Path) {
    Close();
    if (utf8Path.empty()) return;
    file_ = OpenForAppend(utf8Path);
    if (file_ == nullptr) {
        std::fprintf(stderr, "LdgHostState: journal %s: cannot be opened\n", utf8Path.c_str());
        return;
    }
    for (const std::string& line : pending_)
        std::fputs(line.c_str(), file_);
    pending_.clear();
    std::fflush(file_);
}

void Journal::Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

void Journal::Write(const char* method, std::initializer_list<std::int64_t> numbers,
                    const std::string& trailing) {
    std::string line = method;
    for (const std::int64_t number : numbers)
        line += " " + std::to_string(number);
    if (!trailing.empty()) line += " " + trailing;
    WriteLine(line);
}

void Journal::WriteLine(const std::string& line) {
    if (file_ == nullptr) {
        pending_.push_back(line + "\n");
        return;
    }
    std::fputs((line + "\n").c_str(), file_);
    // Flushed per line: a test reads the journal after the program ended,
    // however it ended.
    std::fflush(file_);
}

}  // namespace hostsim
