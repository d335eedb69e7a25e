// The edition's item definition file: which items the statement has, with
// their numbers, sides, account classes, names and XML keys.
#pragma once

#include <string>
#include <string_view>

#include "model/item_catalogue.h"
#include "platform/file_system.h"

// Replaces `itemCatalogue` by the items of the file's "[共通様式]" section,
// in file order. 1 on success. 0 when the frame is missing or too long, and
// `itemCatalogue` is left as it was; 0 also when memory runs out, and the
// items appended so far stay. Lines without all four "/" and a ";" after
// them, with more than ten class codes, or with a name or key longer than
// its field are skipped. Fails silently.
int LoadItemDefinitions(std::string_view fileBytes, ItemCatalogue& itemCatalogue);
// The same for the file at `path`; a file that cannot be read fails and
// leaves the catalogue as it was.
int LoadItemDefinitionFile(FileSystem& files, const std::string& path,
                           ItemCatalogue& itemCatalogue);
