// The sheet's own four buttons, which replace the standard ones.
#pragma once

#include <array>
#include <cstdint>

#include "res/condition_sheet_res.h"

struct ButtonPlace {
    std::int32_t id;
    int left;
    int top;
    int width;
    int height;
};

// Places along the bottom of a client area of width x height, buttons
// as tall as the sheet's standard buttons; in creation (and tab) order:
// previous, next, run, cancel.
std::array<ButtonPlace, 4> LayOutOwnButtons(int clientWidth, int clientHeight, int buttonHeight);
