// The names in a folder, for the Windows tests that check what a run left
// behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The names of the entries of `folder` (with or without its closing
// backslash), "." and ".." left out; none when the folder cannot be read.
inline std::vector<std::wstring> FolderEntries(std::wstring folder) {
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}
