// Real X input (xdotool, XTEST) into the engine's window: what arrives in the key table,
// the typed-key list and the mouse state, with the engine's codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <GL/glx.h>

#include "GLTestWindow.h"
#include "gl/GLManager.h"
#include "gl/KeyboardManager.h"

namespace {

std::string windowId() { return std::to_string((unsigned long)glXGetCurrentDrawable()); }

void xdotool(const std::string& arguments)
{
    std::string command = "xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// What the frames saw: typed keys and mouse events of every frame, in order.
struct Collected {
    std::vector<int> keys;
    std::vector<MouseEvent> mouse;
};

// Runs frames until the condition holds (at most maxFrames, 10 ms or more each),
// collecting the per-frame lists.
Collected pumpUntil(const std::function<bool(const Collected&)>& done, int maxFrames = 300)
{
    Collected seen;
    for (int frame = 0; frame < maxFrames && !done(seen); frame++) {
        GLManager::nextFrame();
        for (int key : GLManager::keyboardManager->getTypedKeys())
            seen.keys.push_back(key);
        for (const MouseEvent& event : GLManager::mouseEvents)
            seen.mouse.push_back(event);
    }
    return seen;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGLTestWindow();
        // Keys go to the focused window; pointer events to the window under the pointer.
        xdotool("windowraise " + windowId());
        xdotool("windowfocus --sync " + windowId());
        pumpUntil([](const Collected&) { return false; }, 5);  // drain what focusing caused
    }
};

}  // namespace

TEST_F(InputTest, KeysArriveWithTheEngineCodes)
{
    const struct {
        const char* xdotoolKeys;
        int code;
    } cases[] = {
        {"key a", 'a'},
        // Shift released last, so the release reports 'A' too.
        {"keydown shift keydown a keyup a keyup shift", 'A'},
        {"key F1", 256},     {"key F12", 267},   {"key Right", 28},   {"key Left", 29},
        {"key Up", 30},      {"key Down", 31},   {"key Prior", 33},   {"key Next", 34},
        {"key Escape", 27},  {"key Return", 13}, {"key BackSpace", 8}, {"key Tab", 9},
        {"key Delete", 127}, {"key space", 32},
    };
    for (const auto& c : cases) {
        xdotool(c.xdotoolKeys);
        Collected seen = pumpUntil([](const Collected& s) { return !s.keys.empty(); });
        ASSERT_EQ(seen.keys.size(), 1u) << c.xdotoolKeys;
        EXPECT_EQ(seen.keys[0], c.code) << c.xdotoolKeys;
        // Released: no longer held (usually already in the frame that listed it).
        int code = c.code;
        Collected after = pumpUntil([code](const Collected&) { return GLManager::keyboardManager->keyStates[code] == 0; }, 50);
        EXPECT_EQ(GLManager::keyboardManager->keyStates[c.code], 0) << c.xdotoolKeys;
        EXPECT_TRUE(after.keys.empty()) << c.xdotoolKeys;
    }
}

TEST_F(InputTest, HomeEndAndInsertAreIgnored)
{
    xdotool("key Home End Insert b");
    Collected seen = pumpUntil([](const Collected& s) { return !s.keys.empty(); });
    EXPECT_EQ(seen.keys, std::vector<int>{'b'});
}

TEST_F(InputTest, AHeldKeyStaysDownUntilReleased)
{
    xdotool("keydown F2");
    pumpUntil([](const Collected& s) { return !s.keys.empty(); });
    EXPECT_EQ(GLManager::keyboardManager->keyStates[257], 1);
    // No new key-down in the next frame: the list is empty, the key still held.
    GLManager::nextFrame();
    GLManager::nextFrame();
    EXPECT_EQ(GLManager::keyboardManager->keyStates[257], 1);
    xdotool("keyup F2");
    pumpUntil([](const Collected&) { return GLManager::keyboardManager->keyStates[257] == 0; });
    EXPECT_EQ(GLManager::keyboardManager->keyStates[257], 0);
}

TEST_F(InputTest, PointerMotionClicksAndWheel)
{
    xdotool("mousemove --window " + windowId() + " 100 150");
    Collected moved = pumpUntil([](const Collected& s) { return !s.mouse.empty(); });
    ASSERT_FALSE(moved.mouse.empty());
    const MouseEvent& motion = moved.mouse.back();
    EXPECT_EQ(motion.x, 100);
    EXPECT_EQ(motion.y, 150);
    EXPECT_EQ(motion.button, -1);
    EXPECT_EQ(motion.kind, MOUSE_EVENT_MOVED);
    EXPECT_EQ(GLManager::mousePosition, Int2(100, 150));
    EXPECT_EQ(GLManager::scenePointerPosition, Int2(100, 150));

    // Left, middle, right click, then a wheel step up and one down: press/release pairs
    // at the pointer, wheel steps as buttons 3 and 4.
    xdotool("click 1 click 2 click 3 click 4 click 5");
    Collected clicks = pumpUntil([](const Collected& s) { return s.mouse.size() >= 10; });
    ASSERT_EQ(clicks.mouse.size(), 10u);
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(clicks.mouse[i].x, 100);
        EXPECT_EQ(clicks.mouse[i].y, 150);
        EXPECT_EQ(clicks.mouse[i].button, i / 2) << i;
        EXPECT_EQ(clicks.mouse[i].kind, i % 2 == 0 ? MOUSE_EVENT_PRESSED : MOUSE_EVENT_RELEASED) << i;
    }
    for (int button = 0; button < 3; button++)
        EXPECT_EQ(GLManager::mouseButtons[button], 0);
    // A click changes no pointer position.
    EXPECT_EQ(GLManager::scenePointerPosition, Int2(100, 150));
}

TEST_F(InputTest, DraggingWithTheLeftButtonHeld)
{
    xdotool("mousemove --window " + windowId() + " 50 60");
    pumpUntil([](const Collected& s) { return !s.mouse.empty(); });
    xdotool("mousedown 1");
    pumpUntil([](const Collected& s) { return !s.mouse.empty(); });
    EXPECT_EQ(GLManager::mouseButtons[0], 1);
    xdotool("mousemove --window " + windowId() + " 70 80");
    Collected dragged = pumpUntil([](const Collected& s) { return !s.mouse.empty(); });
    ASSERT_FALSE(dragged.mouse.empty());
    EXPECT_EQ(dragged.mouse.back().kind, MOUSE_EVENT_DRAGGED);
    EXPECT_EQ(dragged.mouse.back().x, 70);
    EXPECT_EQ(dragged.mouse.back().y, 80);
    xdotool("mouseup 1");
    pumpUntil([](const Collected& s) { return !s.mouse.empty(); });
    EXPECT_EQ(GLManager::mouseButtons[0], 0);
}
