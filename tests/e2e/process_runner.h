// Starting the host simulator the way a test bench does: from the build's
// program folder, with its standard output captured.
#pragma once

#include <windows.h>

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

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);

// The host simulator started in the background, with its standard
// output going to a pipe.
struct RunningProcess {
    HANDLE process = nullptr;
    HANDLE output = nullptr;
    // The simulator and the program it starts, so that both can be ended.
    HANDLE job = nullptr;
    DWORD startError = 0;  // GetLastError() when the process could not be started
};

// Starts "<program folder>LdgHostSim.exe <arguments>".
RunningProcess StartHostSimulator(const std::wstring& arguments);
// Waits for it to end and collects its output and exit code.
ProcessResult FinishProcess(RunningProcess& running);
// Ends the simulator and the program it started (a test that failed half
// way leaves them waiting), then collects what there is.
ProcessResult KillProcess(RunningProcess& running);
// Both in one.
ProcessResult RunHostSimulator(const std::wstring& arguments);

// Copies the edition programs, their data files and the host libraries
// into `folder`, so a test can give them a level file of its own.
void CopyProgramsTo(const std::wstring& folder);
