#pragma once

// What the find dialog leaves behind for the grid: the column it searches (0 until one is
// chosen), and whether a search is running, during which moving the current cell leaves the
// keyboard focus in the dialog.
struct FindState {
    int column = 0;
    bool inProgress = false;
};
