#pragma once

#include <algorithm>

// Where the splitter between the address-book pane and the work area may stand, in twips.
namespace SplitterRules {

constexpr int minimumPane = 750;
// Where the pane opens the first time it is shown: room for a name, a surname and an address,
// but no more than 30% of a narrow window, so that the pages beside it keep their width.
constexpr int firstShownPane = 5400;
inline int firstShownPosition(int windowWidth) {
    return std::min(firstShownPane, windowWidth * 3 / 10);
}

// The splitter position the layout uses for a wanted position: 0 while the address-book
// pane is hidden, else kept at least `minimumPane` from either window edge.
inline int layoutPosition(int wanted, int windowWidth, bool paneHidden) {
    if (paneHidden)
        return 0;
    if (wanted < minimumPane)
        return minimumPane;
    if (wanted > windowWidth - minimumPane)
        return windowWidth - minimumPane;
    return wanted;
}

// Expanding the pane moves the splitter to 85% of the window's width.
inline int expandedPosition(int windowWidth) {
    return static_cast<int>(0.85 * windowWidth);
}

} // namespace SplitterRules
