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

    // Starts a new file for `path`, written as bytes (no newline
    // translation). Whatever stands at the path stays until Close. False
    // when no file can be started.
    virtual bool Create(const std::string& path) = 0;
    // False when any of the bytes could not be written.
    virtual bool Write(std::string_view bytes) = 0;
    // Finishes the file and puts it at its path in place of what stood
    // there, never in place of a read-only file. False when any of that
    // fails; the path is then as it was. True when no file was started.
    virtual bool Close() = 0;
    // Drops the file: the path stays as it was.
    virtual void Abandon() = 0;
};
