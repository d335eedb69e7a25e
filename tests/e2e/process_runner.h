// Starting the host simulator the way a test bench does: from the build's
// program folder, with its standard output captured.
#pragma once

#include <string>

struct ProcessResult {
    unsigned long exitCode = 0;
    std::string output;  // standard output, as the process wrote it
};

std::wstring ProgramFolder();
// A new empty folder under the temporary folder; ends with a backslash.
std::wstring MakeTempFolder();
void RemoveFolderTree(const std::wstring& folder);

std::string Utf8(const std::wstring& wide);
std::wstring Wide(const std::string& utf8);
std::string JsonString(const std::wstring& text);

void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);

// Runs "<program folder>LdgHostSim.exe <arguments>" and waits for it.
ProcessResult RunHostSimulator(const std::wstring& arguments);
