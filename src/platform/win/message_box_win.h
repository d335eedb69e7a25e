#pragma once

#include <windows.h>

#include <string>

#include "platform/message_kind.h"

// Shows the program's message box; true when a question was answered Yes
// (and for the other kinds, when OK was pressed).
bool ShowProgramMessage(HWND owner, const std::string& cp932Text, MessageKind kind);
