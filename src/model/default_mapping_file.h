// The edition's default mapping file: which accounts (by code) or reserved
// figure keywords feed each item unless the user has saved a mapping.
#pragma once

#include <string>
#include <string_view>

#include "model/account_lookup.h"
#include "model/mapping_list.h"
#include "platform/file_system.h"

// Replaces `defaultMapping` by the entries of the file's "[共通様式]"
// section, in file order. Each line is: item number "/" sources, each
// ending in ",". A source with a nonzero decimal value is an account code
// (below 10000 it is a short code and is multiplied by 10000), resolved
// through `accounts`; codes the dataset lacks, and codes that are not
// positive or leave the 32-bit range once multiplied, give no entry. A
// source with the value 0 is kept as text (a reserved figure keyword or a
// full account id text). Lines without "/", lines with a text source longer
// than an account id, and lines over 255 bytes are skipped whole.
//
// 1 on success. 0 when the frame is missing or too long, and
// `defaultMapping` is left as it was; 0 also when memory runs out, and the
// entries appended so far stay. Fails silently.
int LoadDefaultMapping(std::string_view fileBytes, AccountLookup& accounts,
                       MappingList& defaultMapping);
// The same for the file at `path`; a file that cannot be read fails and
// leaves the list as it was.
int LoadDefaultMappingFile(FileSystem& files, const std::string& path, AccountLookup& accounts,
                           MappingList& defaultMapping);
