// Creating the folder of an output or conditions file level by level, and
// undoing that when a level cannot be created.
#pragma once

#include <string>

class FileSystem;

// Creates every missing level of the directory part of `folder`, from its
// root ("C:\\" or "\\\\server\\share\\") down. When a level cannot be
// created, the levels this call created are removed again and the result
// is false. A folder that existed before is never removed.
bool CreateFolderPath(FileSystem& fileSystem, const std::string& folder);

// Removes, deepest first, the levels above `failedLevel` and below
// `lastExisting`: what a failed CreateFolderPath had created. `failedLevel`
// itself is left alone: it could not be created, so whatever is there now
// is not ours. False when the two are not on one path (nothing is removed)
// or a removal fails.
bool RemoveCreatedFolders(FileSystem& fileSystem, const std::string& failedLevel,
                          const std::string& lastExisting);
