// ProblemBox: the modal "Problem" dialog of the fatal report and of non-fatal problems.
//
// A small X11 window of our own: the report text (wrapped, scrollable with the wheel
// or the arrow keys when long), an OK button, and a wait until the user dismisses it
// (OK, Enter, Escape or closing the window). An unattended run (the --unattended
// command-line option, every test) and a run without a display never show it.
//
// Depends on: Xlib.
#pragma once

#include <string>

class ProblemBox {
public:
    static void setUnattended(bool unattended);
    static bool isUnattended();

    // Shows the dialog and returns once it is dismissed; returns at once when the run is
    // unattended or no X display can be opened.
    static void show(const std::string& text, const std::string& caption);

private:
    static bool unattended;
};
