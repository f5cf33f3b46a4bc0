#include "platform/DisplayModes.h"

#include <cstdlib>

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "core/FatalError.h"

namespace {
// Our own connection, kept open while a switched mode is in effect so the desktop mode
// can be put back from an exit or fatal-report hook.
Display* connection = nullptr;
bool switched = false;
bool hooksRegistered = false;
SizeID desktopSize = 0;
Rotation desktopRotation = RR_Rotate_0;
short desktopRate = 0;

// X errors raised by a mode change are collected here instead of ending the program.
int lastXError = 0;
int recordXError(Display*, XErrorEvent* event)
{
    lastXError = event->error_code;
    return 0;
}

std::string sizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

void restoreAtExit() { DisplayModes::restoreDesktop(); }
}  // namespace

DisplaySwitch DisplayModes::switchTo(int width, int height)
{
    DisplaySwitch result;
    if (connection == nullptr)
        connection = XOpenDisplay(nullptr);
    if (connection == nullptr) {
        result.queryError = 1;
        result.reason = "no X display";
        return result;
    }
    int eventBase, errorBase;
    if (!XRRQueryExtension(connection, &eventBase, &errorBase)) {
        result.queryError = 2;
        result.reason = "the X server has no XRandR extension";
        return result;
    }
    Window root = DefaultRootWindow(connection);
    XRRScreenConfiguration* config = XRRGetScreenInfo(connection, root);
    if (config == nullptr) {
        result.queryError = 3;
        result.reason = "the X server gave no screen information";
        return result;
    }
    Rotation rotation;
    SizeID current = XRRConfigCurrentConfiguration(config, &rotation);
    int nbSizes = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &nbSizes);
    int wanted = -1;
    for (int i = 0; i < nbSizes; i++)
        if (sizes[i].width == width && sizes[i].height == height)
            wanted = i;
    if (wanted < 0) {
        XRRFreeScreenConfigInfo(config);
        result.reason = "the screen offers no " + sizeText(width, height) + " mode";
        return result;
    }
    if (!switched) {
        desktopSize = current;
        desktopRotation = rotation;
        desktopRate = XRRConfigCurrentRate(config);
    }
    lastXError = 0;
    XErrorHandler previous = XSetErrorHandler(recordXError);
    Status status = XRRSetScreenConfig(connection, config, root, wanted, rotation, CurrentTime);
    XSync(connection, False);
    XSetErrorHandler(previous);
    XRRFreeScreenConfigInfo(config);
    if (status != RRSetConfigSuccess || lastXError != 0) {
        result.reason = "the X server refused the " + sizeText(width, height) + " mode";
        return result;
    }
    switched = true;
    result.switched = true;
    if (!hooksRegistered) {
        hooksRegistered = true;
        std::atexit(restoreAtExit);
        registerFatalCleanup(restoreAtExit);
    }
    return result;
}

void DisplayModes::restoreDesktop()
{
    if (!switched || connection == nullptr)
        return;
    switched = false;
    Window root = DefaultRootWindow(connection);
    XRRScreenConfiguration* config = XRRGetScreenInfo(connection, root);
    if (config == nullptr)
        return;
    XErrorHandler previous = XSetErrorHandler(recordXError);
    XRRSetScreenConfigAndRate(connection, config, root, desktopSize, desktopRotation, desktopRate,
                              CurrentTime);
    XSync(connection, False);
    XSetErrorHandler(previous);
    XRRFreeScreenConfigInfo(config);
}

bool DisplayModes::isSwitched() { return switched; }

void DisplayModes::currentScreenSize(int& width, int& height)
{
    width = height = 0;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display, DefaultRootWindow(display));
    if (config != nullptr) {
        Rotation rotation;
        SizeID current = XRRConfigCurrentConfiguration(config, &rotation);
        int nbSizes = 0;
        XRRScreenSize* sizes = XRRConfigSizes(config, &nbSizes);
        if (current < nbSizes) {
            width = sizes[current].width;
            height = sizes[current].height;
        }
        XRRFreeScreenConfigInfo(config);
    } else {
        width = DisplayWidth(display, DefaultScreen(display));
        height = DisplayHeight(display, DefaultScreen(display));
    }
    XCloseDisplay(display);
}

void DisplayModes::keepCurrentWindowOnTop()
{
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    XRaiseWindow(display, window);
    // The window manager's "above" state (ignored when there is no window manager).
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // add
    event.xclient.data.l[1] = (long)XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    event.xclient.data.l[3] = 1;  // from a normal application
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

void DisplayModes::hideCurrentWindow()
{
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0)
        return;
    XUnmapWindow(display, window);
    XFlush(display);
}
