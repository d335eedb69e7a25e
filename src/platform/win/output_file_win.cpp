// An output file on Windows: the program's paths are code page 932 and are
// opened through the UTF-16 functions, whatever the system's code page.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/output_file.h"
#include "platform/win/code_page.h"

namespace {

class Win32OutputFile final : public OutputFile {
  public:
    ~Win32OutputFile() override { Close(); }

    bool Create(const std::string& path) override {
        Close();
        file_ = CreateFileW(WideFromCp932(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }

    bool Write(std::string_view bytes) override {
        if (file_ == INVALID_HANDLE_VALUE) return false;
        // One system call per line would cost more than the writing itself.
        pending_.append(bytes.data(), bytes.size());
        return pending_.size() < kFlushBytes || Flush();
    }

    bool Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        const bool flushed = Flush();
        const bool closed = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        pending_.clear();
        return flushed && closed;
    }

  private:
    static constexpr std::size_t kFlushBytes = 16384;

    bool Flush() {
        std::size_t done = 0;
        while (done < pending_.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(pending_.size() - done);
            if (!WriteFile(file_, pending_.data() + done, chunk, &written, nullptr) ||
                written == 0) {
                pending_.clear();
                return false;
            }
            done += written;
        }
        pending_.clear();
        return true;
    }

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string pending_;
};

}  // namespace

std::unique_ptr<OutputFile> CreateWin32OutputFile() {
    return std::make_unique<Win32OutputFile>();
}
