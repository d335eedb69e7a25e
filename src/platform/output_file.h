// A file written front to back, as the XML report writes its document. The
// report only sees this interface: the program passes the Windows file
// (which opens code page 932 paths through UTF-16), tests pass files that
// fail on demand.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class OutputFile {
  public:
    virtual ~OutputFile() = default;

    // Creates the file, or empties an existing one, for writing bytes as
    // they are (no newline translation). False when it cannot.
    virtual bool Create(const std::string& path) = 0;
    // False when any of the bytes could not be written.
    virtual bool Write(std::string_view bytes) = 0;
    // False when bytes held back until now could not be written.
    virtual bool Close() = 0;
};

// The Windows file (win/output_file_win.cpp, Windows builds only).
std::unique_ptr<OutputFile> CreateWin32OutputFile();
