#include "GLTestWindow.h"

#include <GL/glew.h>

#include "gl/DeviceManager.h"

void openGLTestWindow()
{
    if (deviceManager != nullptr)
        return;
    DeviceManager::create("gl_tests", "", 800, 600, false);
    // A few frames so the window is mapped and has its size before the tests draw.
    for (int i = 0; i < 3; i++)
        GLManager::nextFrame();
}

ColorBytes readBackBufferPixel(int x, int y)
{
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, GLManager::windowSize.y() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return ColorBytes{pixel[0], pixel[1], pixel[2], pixel[3]};
}
