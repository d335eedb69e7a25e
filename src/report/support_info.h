// The host product's support information file "SUPPORT.INF": the product
// name and version that the report names in its system section.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

inline const char kSupportInfoFileName[] = "SUPPORT.INF";
inline const char kProductNameTag[] = "[=製品名=]";
inline const char kProductVersionTag[] = "[=製品ﾊﾞｰｼﾞｮﾝ=]";
inline const char kOutOfMemoryMessage[] = "ﾒﾓﾘが不足しています。";

// Only the file's start is read.
constexpr std::size_t kSupportInfoBytes = 30000;

// The value of `tag` in the file's bytes: the rest of the line after the
// tag's first occurrence, up to CR LF, a NUL, an end-of-file byte (0x1A) or
// the end of the bytes. The tag is looked for at character starts only, so
// a double-byte character's second byte never begins a match. Empty when
// the tag is missing.
std::string SupportInfoValue(std::string_view fileBytes, std::string_view tag);

class ClSupportInfo {
  public:
    // Shown when the data area cannot be had; the texts are then empty.
    using MessageSink = std::function<void(const std::string& text)>;

    // The file is read through `files` from `folderPrefix` followed by
    // "SUPPORT.INF" (an empty prefix reads the current folder), once, on
    // first use.
    explicit ClSupportInfo(FileSystem& files, std::string folderPrefix = "",
                           MessageSink showMessage = nullptr);

    // Empty when the file or the tag is missing.
    std::string ProductName();
    std::string ProductVersion();

  private:
    void Load();

    FileSystem& files_;
    std::string folderPrefix_;
    MessageSink showMessage_;
    bool loaded_ = false;
    // The file's first kSupportInfoBytes bytes, as read.
    std::string data_;
};
