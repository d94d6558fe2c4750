#include "clock/TrayToolTip.h"

#include "clock/EventWords.h"

#include <algorithm>
#include <vector>

namespace horvane {
namespace {

constexpr std::size_t kEventsTold = 2;
constexpr const char* kPlaceSeparator = " \u2014 ";
constexpr const char* kEventSeparator = ", ";

// The board's events still to come, soonest first; equal times keep the board's order.
std::vector<BoardEvent> ComingEvents(const EventBoard& board, DateSerial now) {
    std::vector<BoardEvent> coming;
    for (int row = 0; row < kBoardEventCount; ++row) {
        const DateSerial next = board.entries[row].next;
        if (next != 0 && next >= now)
            coming.push_back(BoardEvent(row));
    }
    std::stable_sort(coming.begin(), coming.end(),
                     [&](BoardEvent a, BoardEvent b) { return board[a].next < board[b].next; });
    return coming;
}

} // namespace

std::string TrayToolTipText(const std::string& place, const EventBoard& board, DateSerial now) {
    const std::vector<BoardEvent> coming = ComingEvents(board, now);
    std::string text = place;
    for (std::size_t i = 0; i < std::min(kEventsTold, coming.size()); ++i) {
        text += i == 0 ? kPlaceSeparator : kEventSeparator;
        text += std::string(EventWords(coming[i])) + " " + board[coming[i]].nextText;
    }
    return text;
}

} // namespace horvane
