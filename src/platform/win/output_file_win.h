// The output file on Windows: written beside its path and put in place
// whole (file_replace_win.h).
#pragma once

#include <memory>

#include "platform/output_file.h"

std::unique_ptr<OutputFile> CreateWin32OutputFile();
