#pragma once

// Where the splitter between the address-book pane and the work area may stand, in twips.
namespace SplitterRules {

constexpr int minimumPane = 750;
// Where the pane opens the first time it is shown: room for a name, a surname and an address.
constexpr int firstShownPane = 5400;

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
