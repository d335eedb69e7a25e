// An XML output file for the writer and report tests: kept in memory,
// failing on demand, and leaving what it saw in a record that outlives it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/output_file.h"

struct XmlFileRecord {
    // Writes after this many successful ones fail.
    std::size_t writesBeforeFailure = static_cast<std::size_t>(-1);
    bool failCreate = false;
    bool failClose = false;

    std::string path;
    std::string bytes;
    std::size_t writes = 0;
    int closes = 0;
};

class RecordingXmlFile final : public OutputFile {
  public:
    explicit RecordingXmlFile(XmlFileRecord& record) : r_(record) {}

    bool Create(const std::string& path) override {
        r_.path = path;
        if (r_.failCreate) return false;
        r_.bytes.clear();
        open_ = true;
        return true;
    }
    bool Write(std::string_view text) override {
        if (!open_ || r_.writes == r_.writesBeforeFailure) return false;
        ++r_.writes;
        r_.bytes.append(text.data(), text.size());
        return true;
    }
    bool Close() override {
        ++r_.closes;
        open_ = false;
        return !r_.failClose;
    }

  private:
    XmlFileRecord& r_;
    bool open_ = false;
};
