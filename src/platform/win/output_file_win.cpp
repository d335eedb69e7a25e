// An output file on Windows: the program's paths are code page 932 and are
// opened through the UTF-16 functions, whatever the system's code page.
// The document replaces what stood at its path only once it is complete.
#include "platform/win/output_file_win.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/win/code_page.h"
#include "platform/win/file_replace_win.h"

namespace {

class Win32OutputFile final : public OutputFile {
  public:
    bool Create(const std::string& path) override {
        pending_.clear();
        return replacement_.Begin(WideFromCp932(path));
    }

    bool Write(std::string_view bytes) override {
        if (!replacement_.IsOpen()) return false;
        // One system call per line would cost more than the writing itself.
        pending_.append(bytes.data(), bytes.size());
        return pending_.size() < kFlushBytes || Flush();
    }

    bool Close() override {
        if (!replacement_.IsOpen()) return true;
        if (!Flush()) {
            replacement_.Abandon();
            return false;
        }
        return replacement_.Commit();
    }

    void Abandon() override {
        pending_.clear();
        replacement_.Abandon();
    }

  private:
    static constexpr std::size_t kFlushBytes = 16384;

    bool Flush() {
        const bool written = replacement_.Write(pending_.data(), pending_.size());
        pending_.clear();
        return written;
    }

    FileReplacement replacement_;
    std::string pending_;
};

}  // namespace

std::unique_ptr<OutputFile> CreateWin32OutputFile() {
    return std::make_unique<Win32OutputFile>();
}
