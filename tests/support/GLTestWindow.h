// GLTestWindow: the one GL window of a test binary.
//
// openGLTestWindow creates the engine's DeviceManager (an 800 x 600 window with its GL
// context, input, Scene2D and Scene3D) the first time it is called and does nothing
// afterwards; every GL test calls it first. The window stays open until the binary ends.
// Needs DISPLAY (scripts/test starts Xvfb).
#pragma once

#include "gl/GLManager.h"

void openGLTestWindow();

// One pixel of the back buffer (what was drawn and not yet swapped), x and y in window
// pixels from the top-left corner like the 2D scene.
ColorBytes readBackBufferPixel(int x, int y);
