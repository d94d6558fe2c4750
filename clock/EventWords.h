#pragma once
// The board's events as a sentence names them ("Sunset 4:17p", "Sunset in 10 minutes"), where
// the board's own captions ("Sun Set") would read as a table heading.

#include "astro/EventBoard.h"

namespace horvane {

inline const char* EventWords(BoardEvent event) {
    static const char* const words[kBoardEventCount] = {
        "Twilight begins", "Sunrise",  "Sun transit", "Sunset",
        "Twilight ends",   "Moonrise", "Moonset"};
    return words[int(event)];
}

} // namespace horvane
