#include "tests/e2e/process_runner.h"

#include <windows.h>

#include <cstdio>
#include <string>

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring MakeTempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        const std::wstring folder = std::wstring(base) + L"ldg-e2e-" +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    }
}

void RemoveFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(folder + name + L"\\");
            } else {
                DeleteFileW((folder + name).c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string Utf8(const std::wstring& wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::wstring Wide(const std::string& utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string JsonString(const std::wstring& text) {
    std::string quoted = "\"";
    for (const char c : Utf8(text)) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

RunningProcess StartHostSimulator(const std::wstring& arguments) {
    RunningProcess running;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&running.output, &writeEnd, &inherit, 0)) {
        running.startError = GetLastError();
        return running;
    }
    SetHandleInformation(running.output, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + ProgramFolder() + L"LdgHostSim.exe\" " + arguments;
    PROCESS_INFORMATION process = {};
    // Suspended until it is in the job, so that the program it starts is too.
    running.job = CreateJobObjectW(nullptr, nullptr);
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                       nullptr, nullptr, &startup, &process)) {
        if (running.job != nullptr) AssignProcessToJobObject(running.job, process.hProcess);
        ResumeThread(process.hThread);
        CloseHandle(process.hThread);
        running.process = process.hProcess;
    } else {
        running.startError = GetLastError();
    }
    CloseHandle(writeEnd);
    return running;
}

ProcessResult FinishProcess(RunningProcess& running) {
    ProcessResult result;
    if (running.process == nullptr) {
        if (running.output != nullptr) CloseHandle(running.output);
        if (running.job != nullptr) CloseHandle(running.job);
        const DWORD error = running.startError;
        running = RunningProcess{};
        return {9998, "cannot start the host simulator (error " + std::to_string(error) + ")"};
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(running.output, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        result.output.append(buffer, got);
    }
    WaitForSingleObject(running.process, INFINITE);
    GetExitCodeProcess(running.process, &result.exitCode);
    CloseHandle(running.process);
    CloseHandle(running.output);
    if (running.job != nullptr) CloseHandle(running.job);
    running = RunningProcess{};
    return result;
}

ProcessResult KillProcess(RunningProcess& running) {
    if (running.job != nullptr) TerminateJobObject(running.job, 1);
    if (running.process != nullptr) TerminateProcess(running.process, 1);
    return FinishProcess(running);
}

ProcessResult RunHostSimulator(const std::wstring& arguments) {
    RunningProcess running = StartHostSimulator(arguments);
    return FinishProcess(running);
}

void CopyProgramsTo(const std::wstring& folder) {
    for (const wchar_t* name :
         {L"LdgSel18ToQb16_G.exe", L"LdgAdv18ToQb16_G.exe", L"LdgBas18ToQb16_G.exe", L"LdgLink.dll",
          L"LdgCmn.dll", L"LdgBCore.dll", L"LdgFileMgr.dll", L"LdgMsgMgr.dll", L"LdgEnvMgr.dll"}) {
        CopyFileW((ProgramFolder() + name).c_str(), (folder + name).c_str(), FALSE);
    }
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((ProgramFolder() + L"*.dat").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        CopyFileW((ProgramFolder() + entry.cFileName).c_str(), (folder + entry.cFileName).c_str(),
                  FALSE);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}
