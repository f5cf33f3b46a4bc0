// ProgramRun: runs the real cubewright in a folder, on a display of its own, and waits
// for it with a time limit; VirtualDisplay: a private Xvfb for one test.
//
// With its own Xvfb the program's window is the root's only child, so a test can find
// it and send it real input (xdotool) without meeting another test's window.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// From the first call on, an X error of this process (a window gone by the time it is
// read, when the program under test ended) only makes that request fail: Xlib's default
// handler would end the whole test program. The X helpers of the support call it.
void ignoreXErrors();

class VirtualDisplay {
public:
    VirtualDisplay();  // starts Xvfb (1024x768x24), waits until it accepts clients
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return displayName; }  // ":N"
    // The first mapped child of the root window, 0 when none appears within the time.
    unsigned long waitForWindow(int timeoutMs) const;
    // Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW).
    void closeWindow(unsigned long window) const;
    // Runs xdotool on this display; returns its exit status.
    int xdotool(const std::string& arguments) const;

private:
    pid_t serverPid = -1;
    std::string displayName;
};

struct ProgramResult {
    int exitCode = -1;      // -1 when killed at the time limit or by a signal
    bool timedOut = false;
    std::string out;        // standard output
    std::string err;        // standard error
};

class ProgramRun {
public:
    // Starts CUBEWRIGHT_BINARY with the words (after the program path) in the folder;
    // DISPLAY is the given display, or unset when empty.
    ProgramRun(const std::vector<std::string>& words, const std::string& folder, const std::string& display);
    ~ProgramRun();  // kills the program if it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits for the end (killing the program after the time limit) and collects its output.
    ProgramResult wait(int timeoutMs);

private:
    pid_t pid = -1;
    std::string outPath, errPath;
};

// Runs the program to its end with no display: for the runs that fail before a window.
ProgramResult runProgram(const std::vector<std::string>& words, const std::string& folder, int timeoutMs);
