// A line-oriented XML writer: one element, opening tag or closing tag per
// line, indented with TABs and ended by CR LF. Texts are Shift_JIS bytes
// and pass unchanged, apart from the five characters XML reserves, which
// are escaped in values (never in names).
#pragma once

#include <string>
#include <string_view>

#include "platform/output_file.h"

class ClXmlWriter {
  public:
    ClXmlWriter() = default;
    ClXmlWriter(const ClXmlWriter&) = delete;
    ClXmlWriter& operator=(const ClXmlWriter&) = delete;
    // Abandons a file that is still open: only CloseFile puts a document at
    // its path.
    ~ClXmlWriter();

    // Creates `path` through `file` (owned by the caller) or empties it.
    // 0 on success, -1 when it cannot be created; every write then fails.
    int OpenFile(OutputFile& file, const std::string& path);
    // Writes the bytes unchanged. On the first failure the file is
    // abandoned, so nothing of it reaches the path: this and every later
    // write return false.
    bool WriteText(std::string_view text);

    // An attribute is written when both its name and value are given
    // (non-null); the second only when the first was written.
    // depth TABs, <name attributes>, CR LF.
    bool OpenElement(std::string_view name, int depth, const char* attributeName1 = nullptr,
                     const char* attributeValue1 = nullptr, const char* attributeName2 = nullptr,
                     const char* attributeValue2 = nullptr);
    // depth TABs, <name attributes>escaped value</name>, CR LF; an empty value
    // still gets both tags.
    bool WriteElement(std::string_view name, std::string_view value, int depth,
                      const char* attributeName1 = nullptr, const char* attributeValue1 = nullptr,
                      const char* attributeName2 = nullptr, const char* attributeValue2 = nullptr);
    // depth TABs, </name>, CR LF.
    bool CloseElement(std::string_view name, int depth);

    // Closes the file if one is open, which puts it at its path, and
    // forgets it. False when that fails (the path is then as it was).
    bool CloseFile();
    // Drops the file if one is open: the path stays as it was.
    void AbandonFile();

    bool IsOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // " & ' < > become &quot; &amp; &apos; &lt; &gt;; every other byte is
    // kept. None of the five can be the second byte of a Shift_JIS
    // character, so byte-wise replacement is safe. Any length.
    static std::string EscapeText(std::string_view text);

  private:
    void BeginLine(std::string_view name, int depth);
    void AppendAttributes(const char* name1, const char* value1, const char* name2,
                          const char* value2);

    OutputFile* file_ = nullptr;
    std::string path_;
    // Lines are assembled here, so no line has a length limit.
    std::string line_;
};
