// GLManager: the window, its OpenGL context and the frame boundary.
//
// Opens the single freeglut window, sets the render state the engine assumes, and ends
// every frame with nextFrame: follow a resize, empty the per-frame input lists, hold the
// loop to at most one frame every 10 ms, swap, pump window events (the input callbacks
// run there) and measure the frame period (at most 200000 us). Also uploads textures,
// reads and sets colours, and switches between fullscreen and windowed display.
//
// Closing the window destroys its GL context. Only a frame loop that checks windowClosed
// after its frame end can take the program down in order; a close noticed at any other
// frame end (the loading screen, a progress bar) ends the process at once with exit code
// 0, the desktop's display mode restored, since the code around it would go on drawing
// without a context.
//
// All state is class-wide: there is one window per process. DeviceManager derives from
// it and is the one instance (gl/DeviceManager.h).
//
// Depends on: freeglut, OpenGL/GLU, GLEW, platform/Clock, platform/DisplayModes,
// platform/GLProcAddress, gl/KeyboardManager, gl/Scene2D, gl/Scene3D.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/BasicVector.h"

class KeyboardManager;
class Scene2D;
class Scene3D;

// One mouse event of the frame: position in window pixels, button (0 left, 1 middle,
// 2 right, 3 wheel up, 4 wheel down; -1 for motion) and kind.
struct MouseEvent {
    int x;
    int y;
    int button;
    int kind;
};

enum MouseEventKind {
    MOUSE_EVENT_PRESSED = 0,
    MOUSE_EVENT_RELEASED = 1,
    MOUSE_EVENT_DRAGGED = 2,  // motion with a button held
    MOUSE_EVENT_MOVED = 3,    // motion with no button held
};

enum MouseButton {
    MOUSE_BUTTON_NONE = -1,
    MOUSE_BUTTON_LEFT = 0,
    MOUSE_BUTTON_MIDDLE = 1,
    MOUSE_BUTTON_RIGHT = 2,
    MOUSE_BUTTON_WHEEL_UP = 3,
    MOUSE_BUTTON_WHEEL_DOWN = 4,
};

struct ColorBytes {
    unsigned char r, g, b, a;
};

// Who takes the program down when a frame end notices that the window was closed.
enum WindowCloseHandling {
    WINDOW_CLOSE_ENDS_PROCESS = 0,  // the process exits with code 0 from the frame end
    WINDOW_CLOSE_BY_CALLER = 1,     // windowClosed is set; the caller's loop ends the run
};

class GLManager {
public:
    virtual ~GLManager();

    // Start-up: freeglut, the window, input, the scene objects, fullscreen, GLEW.
    static void initialize(const std::string& programPath, const std::string& title, int width,
                           int height, bool fullscreen);
    static void createWindow(const std::string& title, int width, int height);
    // Logs "Rescaling to (w,h)" and follows the new window size.
    static void reshape(int width, int height);
    // Ends the frame; returns how long the buffer swap took, in microseconds. Only the
    // frame loop that checks windowClosed right after it passes WINDOW_CLOSE_BY_CALLER.
    static int nextFrame(WindowCloseHandling closeHandling = WINDOW_CLOSE_ENDS_PROCESS);

    // Uploads a pixel buffer (RGB, or RGBA with alpha) with all its mipmaps; the texture
    // stays bound. Returns its name.
    static unsigned int createTexture(const unsigned char* data, int width, int height, bool alpha);
    // The current drawing colour, each component x 255 truncated.
    static ColorBytes getCurrentColor();
    // Clears colour and depth with the colour (each byte / 255).
    static void clearScreen(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    // The render state of a 2D pass in window pixels: the 2D projection, no lighting, depth
    // test or fog, both faces filled, front faces culled. Every 2D overlay that follows a
    // 3D pass (loading screen, progress bars, the script's 2D pass, the menus) starts here.
    static void begin2DPass();

    // Fullscreen width x height: the screen is switched to that mode when it offers it,
    // otherwise the window covers the screen at its current mode. Windowed mode puts the
    // desktop's own mode back. Neither changes isFullscreen.
    static void setFullscreenMode(int width, int height);
    static void setWindowedMode(int width, int height);

    static Int2 windowSize;
    static int64_t lastFrameTime;   // microseconds at the end of the previous frame
    static int64_t periodDuration;  // microseconds between the last two frame ends
    static bool isFullscreen;
    static std::string whiteTexturePath;
    // Set when the user closed the window; the frame loop must end then.
    static bool windowClosed;

    static KeyboardManager* keyboardManager;
    static Scene2D* scene2D;
    static Scene3D* scene3D;

    // Mouse state, written by the callbacks inside nextFrame.
    static unsigned char mouseButtons[3];  // left, middle, right: 1 while held
    static Int2 mousePosition;             // last motion position, window pixels
    static Int2 scenePointerPosition;      // the same in Scene2D coordinates
    static std::vector<MouseEvent> mouseEvents;

    // Longest frame period reported, and the shortest frame the loop allows.
    static const int64_t maxPeriodDuration = 200000;
    static const int64_t minFrameDuration = 10000;
};
