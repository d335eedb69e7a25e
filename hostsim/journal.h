// The call journal: one line per host call, in call order, so that tests
// can check what the program asked of the host.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/host_api.h"

namespace hostsim {

class LDG_LINK_API Journal {
  public:
    ~Journal();

    // Lines written before the journal file is known (the calls before
    // Connect) are kept and written first when it opens.
    void Open(const std::string& utf8Path);
    void Close();
    // "method n1 n2 …", then `trailing` after a space when there is one.
    void Write(const char* method, std::initializer_list<std::int64_t> numbers = {},
               const std::string& trailing = {});
    void WriteLine(const std::string& line);

  private:
    std::FILE* file_ = nullptr;
    std::vector<std::string> pending_;
};

}  // namespace hostsim
