#pragma once

#include <functional>

// The tab strip as the page operations see it: which tab is selected (1-based) and a way to
// select one, with everything that selecting a tab does.
struct TabSwitch {
    std::function<int()> selected;
    std::function<void(int)> select;
};
