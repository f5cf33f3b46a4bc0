#include "gl/GLManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "core/FatalError.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "gl/VBOBatchSet.h"
#include "image/SpriteManager.h"
#include "platform/Clock.h"
#include "platform/DisplayModes.h"
#include "platform/GLProcAddress.h"

Int2 GLManager::windowSize(0, 0);
int64_t GLManager::lastFrameTime = 0;
int64_t GLManager::periodDuration = 0;
bool GLManager::isFullscreen = false;
std::string GLManager::whiteTexturePath;
bool GLManager::windowClosed = false;
KeyboardManager* GLManager::keyboardManager = nullptr;
Scene2D* GLManager::scene2D = nullptr;
Scene3D* GLManager::scene3D = nullptr;
unsigned char GLManager::mouseButtons[3] = {0, 0, 0};
Int2 GLManager::mousePosition(0, 0);
Int2 GLManager::scenePointerPosition(0, 0);
std::vector<MouseEvent> GLManager::mouseEvents;

// Where the window goes when it leaves fullscreen.
static const int windowedPositionX = 10;
static const int windowedPositionY = 10;
// The 2D size the scene starts with, before it learns the window's real size.
static const Int2 initial2DSize(640, 480);
// Fragments with this alpha or less are not drawn.
static const float alphaTestThreshold = 0.1f;

// freeglut asks for a redisplay now and then; the engine draws its own frames.
static void onDisplay() {}

static void onWindowClosed() { GLManager::windowClosed = true; }

// Runs the window's pending events. A close among them that nobody else will act on ends
// the process here: nothing has been written half-way at a frame end (files are written
// whole, through temporary files), and the caller cannot go on without a GL context.
static void pumpWindowEvents(WindowCloseHandling closeHandling)
{
    bool closedBefore = GLManager::windowClosed;
    glutMainLoopEvent();
    if (closedBefore || !GLManager::windowClosed || closeHandling == WINDOW_CLOSE_BY_CALLER)
        return;
    std::printf("The window was closed: the program ends\n");
    std::fflush(stdout);
    DisplayModes::restoreDesktop();
    std::exit(0);
}

static void onMouseButton(int button, int state, int x, int y)
{
    bool down = state == GLUT_DOWN;
    GLManager::mouseEvents.push_back({x, y, button, down ? MOUSE_EVENT_PRESSED : MOUSE_EVENT_RELEASED});
    if (button >= MOUSE_BUTTON_LEFT && button <= MOUSE_BUTTON_RIGHT)
        GLManager::mouseButtons[button] = down ? 1 : 0;
}

static void recordMotion(int x, int y, int kind)
{
    GLManager::mousePosition = Int2(x, y);
    GLManager::mouseEvents.push_back({x, y, MOUSE_BUTTON_NONE, kind});
    // The 2D size always equals the window size: the scene position is the pointer's.
    Scene2D* scene = GLManager::scene2D;
    if (scene != nullptr && scene->windowSize.x() != 0 && scene->windowSize.y() != 0)
        GLManager::scenePointerPosition = Int2(x * scene->size2D.x() / scene->windowSize.x(),
                                               y * scene->size2D.y() / scene->windowSize.y());
    else
        GLManager::scenePointerPosition = Int2(x, y);
}

static void onMotion(int x, int y) { recordMotion(x, y, MOUSE_EVENT_DRAGGED); }
static void onPassiveMotion(int x, int y) { recordMotion(x, y, MOUSE_EVENT_MOVED); }

void GLManager::initialize(const std::string& programPath, const std::string& title, int width,
                           int height, bool fullscreen)
{
    for (unsigned char& button : mouseButtons)
        button = 0;

    // freeglut keeps pointers into argv: give it storage that lives as long as the process.
    static std::string programPathCopy;
    static char* argv[2];
    static int argc = 1;
    programPathCopy = programPath;
    argv[0] = &programPathCopy[0];
    argv[1] = nullptr;
    glutInit(&argc, argv);
    // Closing the window must not end the process behind the engine's back: the frame
    // loop sees windowClosed and shuts down normally (see pumpWindowEvents for a close
    // outside it).
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);

    createWindow(title, width, height);
    // A fatal report's dialog must not sit behind a fullscreen game window.
    registerFatalCleanup(DisplayModes::hideCurrentWindow);

    keyboardManager = new KeyboardManager();
    KeyboardManager::registerCallbacks();

    scene2D = new Scene2D(initial2DSize, initial2DSize);
    scene2D->setupProjection2D();

    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_FILL);
    glCullFace(GL_FRONT);

    scene3D = new Scene3D();

    scene2D->setSize(windowSize);
    scene2D->setupProjection2D();

    if (fullscreen) {
        // freeglut applies the window's pending size after a fullscreen request made
        // before the window is shown: let it show the window first.
        pumpWindowEvents(WINDOW_CLOSE_ENDS_PROCESS);
        glutFullScreen();
        isFullscreen = true;
    }

    GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK)
        FATAL((const char*)glewGetErrorString(glewResult));

    whiteTexturePath = "whiteTexture.png";
}

void GLManager::createWindow(const std::string& title, int width, int height)
{
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_ALPHA | GLUT_DEPTH | GLUT_MULTISAMPLE);
    glutInitWindowSize(width, height);
    windowSize = Int2(width, height);
    glutCreateWindow(title.c_str());
    glutDisplayFunc(onDisplay);
    glutCloseFunc(onWindowClosed);

    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_FOG);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, alphaTestThreshold);
    glPolygonMode(GL_BACK, GL_POINT);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);
    glEnable(GL_CULL_FACE);

    // The driver's extension list, for bug reports. A folder we cannot write to only
    // loses this list.
    FILE* extensions = std::fopen("extensions.txt", "w");
    if (extensions != nullptr) {
        const GLubyte* list = glGetString(GL_EXTENSIONS);
        std::fprintf(extensions, "supported:%s :", list != nullptr ? (const char*)list : "");
        std::fclose(extensions);
    } else {
        std::printf("Could not create extensions.txt, extension list not written\n");
    }

    glEnable(GL_MULTISAMPLE);

    // Choosing a multisampled pixel format needs the frame-buffer configuration chooser.
    if (GLProcAddress::find("glXChooseFBConfig") == nullptr)
        reportProblem("extension not available");

    initVBOSupport();

    glutReshapeWindow(width, height);
}

GLManager::~GLManager()
{
    SpriteManager::checkAllReleased();

    whiteTexturePath.clear();
    delete scene2D;
    scene2D = nullptr;
    delete scene3D;
    scene3D = nullptr;
    delete keyboardManager;
    keyboardManager = nullptr;
    DisplayModes::restoreDesktop();
}

void GLManager::reshape(int width, int height)
{
    std::printf("Rescaling to (%d,%d)\n", width, height);
    windowSize = Int2(width, height);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    glutPostRedisplay();
    scene2D->setSize(windowSize);
    scene2D->setupProjection2D();
    scene3D->aspectRatio = (float)width / (float)height;
}

int GLManager::nextFrame(WindowCloseHandling closeHandling)
{
    if (!windowClosed) {
        int width = glutGet(GLUT_WINDOW_WIDTH);
        int height = glutGet(GLUT_WINDOW_HEIGHT);
        // A window squeezed to nothing keeps its last usable size.
        bool usable = width > 0 && height > 0;
        if (usable && (width != windowSize.x() || height != windowSize.y()))
            reshape(width, height);
    }

    keyboardManager->clearTypedKeys();
    mouseEvents.clear();

    int64_t elapsed = Clock::microseconds() - lastFrameTime;
    if (elapsed < minFrameDuration)
        Clock::sleepMs((int)(minFrameDuration / 1000 - elapsed / 1000));

    int64_t swapStart = Clock::microseconds();
    if (!windowClosed)
        glutSwapBuffers();
    int64_t swapEnd = Clock::microseconds();

    if (!windowClosed)
        pumpWindowEvents(closeHandling);

    int64_t now = Clock::microseconds();
    periodDuration = now - lastFrameTime;
    if (periodDuration > maxPeriodDuration)
        periodDuration = maxPeriodDuration;
    lastFrameTime = now;

    if (!windowClosed) {
        glColor4f(1.f, 1.f, 1.f, 1.f);
        glRasterPos2i(0, windowSize.y());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    return (int)(swapEnd - swapStart);
}

unsigned int GLManager::createTexture(const unsigned char* data, int width, int height, bool alpha)
{
    ASSERT(data != NULL, "GLManager::createTexture : no pixels");
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    GLenum format = alpha ? GL_RGBA : GL_RGB;
    int mipmapres = gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, format, GL_UNSIGNED_BYTE, data);
    ASSERT(mipmapres == 0, "GLManager::createTexture : mipmap build failed");
    return texture;
}

ColorBytes GLManager::getCurrentColor()
{
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return ColorBytes{(unsigned char)(colour[0] * 255.f), (unsigned char)(colour[1] * 255.f),
                      (unsigned char)(colour[2] * 255.f), (unsigned char)(colour[3] * 255.f)};
}

void GLManager::clearScreen(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
    glClearColor(r / 255.f, g / 255.f, b / 255.f, a / 255.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GLManager::begin2DPass()
{
    scene2D->setupProjection2D();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
}

// Puts the window at (x, y) with the size, shown and above the others.
static void placeWindowOnTop(int x, int y, int width, int height)
{
    if (glutGetWindow() == 0)
        return;
    std::printf("Found window handle\n");
    glutPositionWindow(x, y);
    glutReshapeWindow(width, height);
    glutShowWindow();
    DisplayModes::keepCurrentWindowOnTop();
}

void GLManager::setFullscreenMode(int width, int height)
{
    std::printf("Set to fullscreen mode %dx%d\n", width, height);
    DisplaySwitch result = DisplayModes::switchTo(width, height);
    if (result.queryError != 0)
        std::printf("EnumDisplaySettings failed:%d\n", result.queryError);
    if (result.switched) {
        placeWindowOnTop(0, 0, width, height);
        return;
    }
    int screenWidth, screenHeight;
    DisplayModes::currentScreenSize(screenWidth, screenHeight);
    std::printf("Fullscreen at the current mode %dx%d: %s\n", screenWidth, screenHeight,
                result.reason.c_str());
    if (glutGetWindow() != 0) {
        std::printf("Found window handle\n");
        glutFullScreen();
        DisplayModes::keepCurrentWindowOnTop();
    }
}

void GLManager::setWindowedMode(int width, int height)
{
    std::printf("Set to windowed mode %dx%d\n", width, height);
    DisplayModes::restoreDesktop();
    if (glutGetWindow() != 0)
        glutLeaveFullScreen();
    placeWindowOnTop(windowedPositionX, windowedPositionY, width, height);
}
