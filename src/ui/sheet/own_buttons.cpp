#include "ui/sheet/own_buttons.h"

std::array<ButtonPlace, 4> LayOutOwnButtons(int clientWidth, int clientHeight, int buttonHeight) {
    const int quarter = (clientWidth - 20) / 4;
    const int top = clientHeight - clientHeight / 21;
    const int width = quarter - 10;
    return {{{IDB_PREVIOUS, 8, top, width, buttonHeight},
             {IDB_NEXT, quarter + 2, top, width, buttonHeight},
             {IDB_RUN, clientWidth + 8 - 2 * quarter, top, width, buttonHeight},
             {IDB_CANCEL, clientWidth + 2 - quarter, top, width, buttonHeight}}};
}
