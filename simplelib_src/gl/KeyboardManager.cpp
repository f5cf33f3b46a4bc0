#include "gl/KeyboardManager.h"

#include <cstring>

#include <GL/freeglut.h>

#include "gl/GLManager.h"

// freeglut special keys and the engine's codes for them; others are ignored.
static const struct {
    int glutKey;
    int code;
} specialKeyTable[] = {
    {GLUT_KEY_F1, KEY_F1},          {GLUT_KEY_F2, KEY_F1 + 1},
    {GLUT_KEY_F3, KEY_F1 + 2},      {GLUT_KEY_F4, KEY_F1 + 3},
    {GLUT_KEY_F5, KEY_F1 + 4},      {GLUT_KEY_F6, KEY_F1 + 5},
    {GLUT_KEY_F7, KEY_F1 + 6},      {GLUT_KEY_F8, KEY_F1 + 7},
    {GLUT_KEY_F9, KEY_F1 + 8},      {GLUT_KEY_F10, KEY_F1 + 9},
    {GLUT_KEY_F11, KEY_F1 + 10},    {GLUT_KEY_F12, KEY_F12},
    {GLUT_KEY_LEFT, KEY_LEFT},      {GLUT_KEY_UP, KEY_UP},
    {GLUT_KEY_RIGHT, KEY_RIGHT},    {GLUT_KEY_DOWN, KEY_DOWN},
    {GLUT_KEY_PAGE_UP, KEY_PAGE_UP}, {GLUT_KEY_PAGE_DOWN, KEY_PAGE_DOWN},
};

KeyboardManager::KeyboardManager() { std::memset(keyStates, 0, sizeof(keyStates)); }

int KeyboardManager::translateSpecialKey(int glutKey)
{
    for (const auto& entry : specialKeyTable)
        if (entry.glutKey == glutKey)
            return entry.code;
    return -1;
}

void KeyboardManager::keyDown(unsigned char character)
{
    typedKeys.push_back(character);
    keyStates[character] = 1;
}

void KeyboardManager::keyUp(unsigned char character) { keyStates[character] = 0; }

void KeyboardManager::specialKeyDown(int glutKey)
{
    int code = translateSpecialKey(glutKey);
    if (code < 0)
        return;
    typedKeys.push_back(code);
    keyStates[code] = 1;
}

void KeyboardManager::specialKeyUp(int glutKey)
{
    int code = translateSpecialKey(glutKey);
    if (code >= 0)
        keyStates[code] = 0;
}

static void onKeyDown(unsigned char character, int, int) { GLManager::keyboardManager->keyDown(character); }
static void onKeyUp(unsigned char character, int, int) { GLManager::keyboardManager->keyUp(character); }
static void onSpecialDown(int key, int, int) { GLManager::keyboardManager->specialKeyDown(key); }
static void onSpecialUp(int key, int, int) { GLManager::keyboardManager->specialKeyUp(key); }

void KeyboardManager::registerCallbacks()
{
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
}
