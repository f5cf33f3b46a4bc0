// DisplayModes: switching the screen's display mode for fullscreen, and back.
//
// Uses XRandR on the default screen. switchTo changes the mode to width x height when the
// screen offers that size; restoreDesktop puts back the mode the desktop had before the
// first switch. Once a switch happened, the desktop mode is restored at a normal exit and
// before a fatal report, so the engine never leaves a user's screen in a game's mode.
// Also keeps the engine's window above the others.
//
// Depends on: Xlib, XRandR, GLX (the current window), core/FatalError.
#pragma once

#include <string>

struct DisplaySwitch {
    bool switched = false;
    // Non-zero when the screen's modes could not be read: 1 no display, 2 no XRandR,
    // 3 no screen information.
    int queryError = 0;
    // Why the mode was not switched, for the log.
    std::string reason;
};

class DisplayModes {
public:
    static DisplaySwitch switchTo(int width, int height);
    // Puts the desktop's own mode back; does nothing when no switch happened.
    static void restoreDesktop();
    static bool isSwitched();
    // The current size of the default screen as the X server reports it now (0 x 0
    // without a display).
    static void currentScreenSize(int& width, int& height);
    // Raises the current GLX window and asks the window manager to keep it above others.
    static void keepCurrentWindowOnTop();
    // Unmaps the current GLX window at once (before a fatal report's dialog, which a
    // topmost fullscreen window would otherwise cover).
    static void hideCurrentWindow();
};
