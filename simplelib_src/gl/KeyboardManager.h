// KeyboardManager: what the keyboard did, recorded for polling.
//
// freeglut's keyboard callbacks (run inside GLManager::nextFrame's event pump) only fill
// the key state table (1 while a key is held) and the typed-key list (one code per
// key-down, auto-repeats included, in arrival order). The game reads both during the
// following frame; nextFrame empties the list before the next pump.
//
// Key codes: 0..255 the character freeglut reports (letters with their case, Escape 27,
// Enter 13, Backspace 8, Tab 9, Delete 127, Space 32); arrows 28..31; page up and down
// 33 and 34 (shared with '!' and '"'); F1..F12 256..267. Home, End and Insert are ignored.
//
// Depends on: freeglut.
#pragma once

#include <vector>

enum KeyboardKeyCode {
    KEY_RIGHT = 28,
    KEY_LEFT = 29,
    KEY_UP = 30,
    KEY_DOWN = 31,
    KEY_PAGE_UP = 33,
    KEY_PAGE_DOWN = 34,
    KEY_F1 = 256,
    KEY_F12 = 267,
    KEY_ESCAPE = 27,
    KEY_ENTER = 13,
};

class KeyboardManager {
public:
    static const int nbKeyCodes = 268;

    KeyboardManager();

    // A copy of the keys typed since the last frame end.
    std::vector<int> getTypedKeys() const { return typedKeys; }
    void clearTypedKeys() { typedKeys.clear(); }

    // What the freeglut callbacks record: an ordinary key as its character, a special key
    // (freeglut's GLUT_KEY_... code) through the translation table.
    void keyDown(unsigned char character);
    void keyUp(unsigned char character);
    void specialKeyDown(int glutKey);
    void specialKeyUp(int glutKey);
    // The engine's code of a freeglut special key, -1 for a key without one.
    static int translateSpecialKey(int glutKey);

    // Registers the four keyboard callbacks with freeglut; they record into
    // GLManager::keyboardManager.
    static void registerCallbacks();

    unsigned char keyStates[nbKeyCodes];

private:
    std::vector<int> typedKeys;
};
