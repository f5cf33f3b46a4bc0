// The demo game, played with real keys on a private virtual display: the title, walking,
// a jump (heard through OpenAL Soft's wave backend), flying and back, a save, a load,
// the main menu and its quit button. The game runs from a copy of the build's demo
// folder; every wait is bounded.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "AssetWriter.h"
#include "AudioFixture.h"
#include "ProgramRun.h"
#include "TempDir.h"

namespace {

const int windowWidth = 800, windowHeight = 600;

// Software GL on a loaded machine: start-up can take most of a minute.
const int startTimeoutMs = 180000;
const int screenTimeoutMs = 90000;
const int exitTimeoutMs = 90000;
const int fileTimeoutMs = 15000;
// A demo key is read as held once a frame: hold it over several frames.
const int keyHoldMs = 700;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// The window's pixels, top row first.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;

    const Rgb& at(int x, int y) const { return pixels[size_t(y) * width + x]; }

    // Share of the pixels of a rectangle that satisfy the test.
    double share(int x0, int y0, int x1, int y1, const std::function<bool(const Rgb&)>& test) const
    {
        int hits = 0, total = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++, total++)
                hits += test(at(x, y)) ? 1 : 0;
        return total == 0 ? 0.0 : double(hits) / total;
    }

    void savePng(const std::string& path) const
    {
        std::vector<unsigned char> rgb;
        for (const Rgb& p : pixels) rgb.insert(rgb.end(), {(unsigned char)p.r, (unsigned char)p.g, (unsigned char)p.b});
        std::ofstream(path, std::ios::binary) << AssetWriter::encodePng(width, height, 3, rgb);
    }
};

// The window's pixels, read from the root window: the window sits at (-1, -1), partly off
// the screen, where the server cannot read it directly. Pixels off the screen read black.
bool grabWindow(const std::string& displayName, unsigned long window, Screenshot& shot)
{
    ignoreXErrors();  // a window gone meanwhile only makes the grab fail
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr)
        return false;
    Window root = DefaultRootWindow(display), child;
    int originX = 0, originY = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &originX, &originY, &child);
    int x0 = std::max(originX, 0), y0 = std::max(originY, 0);
    int width = std::min(originX + windowWidth, DisplayWidth(display, 0)) - x0;
    int height = std::min(originY + windowHeight, DisplayHeight(display, 0)) - y0;
    XImage* image = width > 0 && height > 0 ? XGetImage(display, root, x0, y0, width, height, AllPlanes, ZPixmap)
                                            : nullptr;
    if (image != nullptr) {
        shot.width = windowWidth;
        shot.height = windowHeight;
        shot.pixels.assign(size_t(windowWidth) * windowHeight, Rgb());
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                unsigned long p = XGetPixel(image, x, y);
                size_t at = size_t(y + y0 - originY) * windowWidth + (x + x0 - originX);
                shot.pixels[at] = Rgb{int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
            }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return image != nullptr;
}

bool isBlack(const Rgb& p) { return p.r < 16 && p.g < 16 && p.b < 16; }
bool isSky(const Rgb& p) { return p.b > 150 && p.b > p.r + 10; }
bool isGrass(const Rgb& p) { return p.g > p.r + 15 && p.g > p.b + 15; }
bool isWhiteText(const Rgb& p) { return p.r > 215 && p.g > 215 && p.b > 215; }
bool isQuitButton(const Rgb& p) { return p.r > 150 && p.r > p.g + 60 && p.r > p.b + 60; }

// The title picture keeps its proportions: black bands above and below it, the picture
// in between.
bool showsTitle(const Screenshot& s)
{
    return s.share(0, 0, 800, 90, isBlack) > 0.99 && s.share(0, 510, 800, 600, isBlack) > 0.99 &&
           s.share(0, 110, 800, 490, isBlack) < 0.2;
}

// The game's first view: sky in the upper part, the lawn in the lower part, the HUD's
// controls in white over the lawn at the bottom.
bool showsSky(const Screenshot& s) { return s.share(200, 50, 600, 70, isSky) > 0.8; }
bool showsTerrain(const Screenshot& s) { return s.share(0, 400, 800, 500, isGrass) > 0.8; }
bool showsHudControls(const Screenshot& s)
{
    // Two text rows at the bottom (y 528-560 and 560-592); above them, only the lawn.
    return s.share(12, 536, 560, 556, isWhiteText) > 0.03 && s.share(12, 568, 560, 588, isWhiteText) > 0.03 &&
           s.share(12, 470, 560, 520, isWhiteText) < 0.002;
}
// The quit button, red, with its white label.
bool showsMainMenu(const Screenshot& s) { return s.share(60, 360, 140, 405, isQuitButton) > 0.6; }

class DemoGame {
public:
    DemoGame() : window(0)
    {
        std::filesystem::copy(std::string(CUBEWRIGHT_DEMO_FOLDER), dir.path(),
                              std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() == ".savegame")
                std::filesystem::remove(entry.path());
        audioPath = dir.file("captured.wav");
        std::string config = dir.write("alsoft.conf", openalConfig("wave", audioPath));
        // The program inherits the variable; the engine itself reads no environment.
        setenv("ALSOFT_CONF", config.c_str(), 1);
        run.reset(new ProgramRun({"--unattended"}, dir.path(), display.name()));
        unsetenv("ALSOFT_CONF");
        window = display.waitForWindow(startTimeoutMs);
        // Keys go to the focused window through XTEST, as a user's would.
        if (window != 0)
            display.xdotool("windowfocus --sync " + std::to_string(window));
    }

    // Holds a key down long enough for the game's frames to see it.
    void press(const std::string& key, int holdMs = keyHoldMs, int afterMs = 800)
    {
        display.xdotool("keydown " + key);
        sleepMs(holdMs);
        display.xdotool("keyup " + key);
        sleepMs(afterMs);
    }

    // Presses the key until the game has written the file (a frame longer than the hold,
    // on a loaded machine, misses the key); false after a few bounded attempts.
    bool pressUntilFileExists(const std::string& key, const std::string& name)
    {
        for (int attempt = 0; attempt < 3; attempt++) {
            press(key, keyHoldMs, 0);
            for (int waited = 0; waited < fileTimeoutMs; waited += 250) {
                if (std::filesystem::exists(dir.file(name)))
                    return true;
                sleepMs(250);
            }
        }
        return false;
    }

    // Takes screenshots until one passes the test; false at the time limit. The last
    // one stays in `last` (and, on failure, in a PNG beside the test binary).
    bool waitForScreen(const std::function<bool(const Screenshot&)>& test, const std::string& name)
    {
        for (int waited = 0; waited < screenTimeoutMs; waited += 500) {
            if (grabWindow(display.name(), window, last) && test(last))
                return true;
            sleepMs(500);
        }
        last.savePng("demo-e2e-" + name + ".png");
        return false;
    }

    TempDir dir;
    VirtualDisplay display;
    std::unique_ptr<ProgramRun> run;
    unsigned long window;
    std::string audioPath;
    Screenshot last;
};

// The save game: the player record (position, camera yaw and pitch, movement type), then
// the script's global variables.
struct SaveGame {
    float x = 0, y = 0, z = 0, yaw = 0, pitch = 0;
    int32_t movementType = -1;
    std::vector<std::pair<std::string, int32_t>> variables;
    bool complete = false;
};

SaveGame readSaveGame(const std::string& bytes)
{
    SaveGame save;
    size_t at = 0;
    auto take = [&](void* out, size_t n) {
        if (at + n > bytes.size())
            return false;
        std::memcpy(out, bytes.data() + at, n);
        at += n;
        return true;
    };
    uint32_t count = 0;
    if (!take(&save.x, 4) || !take(&save.y, 4) || !take(&save.z, 4) || !take(&save.yaw, 4) || !take(&save.pitch, 4) ||
        !take(&save.movementType, 4) || !take(&count, 4))
        return save;
    for (uint32_t i = 0; i < count; i++) {
        uint32_t length = 0;
        int32_t value = 0;
        if (!take(&length, 4) || at + length > bytes.size())
            return save;
        std::string name = bytes.substr(at, length);
        at += length;
        if (!take(&value, 4))
            return save;
        save.variables.push_back({name, value});
    }
    save.complete = at == bytes.size();
    return save;
}

// Mono samples of a WAV file at the given rate (linear interpolation), both channels mixed.
std::vector<float> monoAt(const CapturedAudio& audio, int rate)
{
    std::vector<float> mono(audio.samples.size() / audio.channels);
    for (size_t i = 0; i < mono.size(); i++)
        for (int c = 0; c < audio.channels; c++) mono[i] += audio.samples[i * audio.channels + c];
    if (audio.sampleRate == rate)
        return mono;
    std::vector<float> out(size_t(double(mono.size()) * rate / audio.sampleRate));
    for (size_t i = 0; i < out.size(); i++) {
        double source = double(i) * audio.sampleRate / rate;
        size_t k = size_t(source);
        double f = source - k;
        float a = mono[std::min(k, mono.size() - 1)], b = mono[std::min(k + 1, mono.size() - 1)];
        out[i] = float(a + (b - a) * f);
    }
    return out;
}

// The best normalised correlation between the sound and the capture, tried around every
// place where the capture starts to sound after a silence.
double bestMatch(const std::vector<float>& capture, const std::vector<float>& sound, int rate)
{
    const size_t window = size_t(rate / 100);  // 10 ms
    const double silent = 200.0;                // mean absolute level of a quiet window
    std::vector<size_t> onsets;
    bool wasSilent = true;
    for (size_t start = 0; start + window <= capture.size(); start += window) {
        double level = 0;
        for (size_t i = start; i < start + window; i++) level += std::fabs(capture[i]);
        level /= window;
        if (wasSilent && level > silent)
            onsets.push_back(start);
        wasSilent = level <= silent;
    }
    double soundEnergy = 0;
    for (float v : sound) soundEnergy += double(v) * v;
    double best = 0;
    const long search = long(window) * 3;
    for (size_t onset : onsets)
        for (long offset = -search; offset <= search; offset++) {
            long begin = long(onset) + offset;
            if (begin < 0 || size_t(begin) + sound.size() > capture.size())
                continue;
            double dot = 0, energy = 0;
            for (size_t i = 0; i < sound.size(); i++) {
                double c = capture[size_t(begin) + i];
                dot += c * sound[i];
                energy += c * c;
            }
            if (energy > 0)
                best = std::max(best, dot / std::sqrt(energy * soundEnergy));
        }
    return best;
}

}  // namespace

TEST(DemoGame, PlayedWithRealKeysFromTheTitleToTheQuitButton)
{
    DemoGame game;
    ASSERT_NE(game.window, 0ul) << "the game's window did not open";

    // The title picture, until a key is pressed.
    ASSERT_TRUE(game.waitForScreen(showsTitle, "title")) << "no title picture";
    game.press("Return");

    // The island: sky above, the lawn below, the controls in the HUD.
    ASSERT_TRUE(game.waitForScreen(
        [](const Screenshot& s) { return showsSky(s) && showsTerrain(s) && showsHudControls(s); }, "world"))
        << "sky " << showsSky(game.last) << ", terrain " << showsTerrain(game.last) << ", HUD "
        << showsHudControls(game.last);

    // Walk toward the hut, stand until the footsteps end, jump.
    game.press("e", 1500, 2500);
    game.press("space", 400, 2000);

    // Fly up a little, back to walking, save, load.
    game.press("3");
    game.press("space", 300);
    game.press("1", keyHoldMs, 1500);
    ASSERT_TRUE(game.pressUntilFileExists("k", "world.dat.savegame")) << "K wrote no save game";
    game.press("l", keyHoldMs, 1500);

    // The main menu, and its quit button.
    game.press("Escape", 300, 500);
    ASSERT_TRUE(game.waitForScreen(showsMainMenu, "menu")) << "no main menu";
    game.display.xdotool("mousemove --window " + std::to_string(game.window) + " 100 380");
    sleepMs(500);
    game.display.xdotool("click 1");

    ProgramResult result = game.run->wait(exitTimeoutMs);
    ASSERT_FALSE(result.timedOut) << "the game did not end after the quit button";
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err.find("ERROR"), std::string::npos) << result.err;

    // What the game logged, in order.
    const char* lines[] = {
        "==== Reload script file\n",
        "lua print: Demo island ready\n",
        "================ Initialized, first draw ...\n",
        "lua print: Title passed\n",
        "lua print: Movement Flying\n",
        "lua print: Movement Walking\n",
        "Saving game into file world.dat.savegame\n",
        "Loading game from file world.dat.savegame\n",
    };
    size_t from = 0;
    for (const char* line : lines) {
        size_t found = result.out.find(line, from);
        EXPECT_NE(found, std::string::npos) << "missing, or out of order: " << line;
        if (found != std::string::npos)
            from = found;
    }

    // The save: walking again, moved from the start (95, 62, 245) toward the hut (-Z),
    // with the gem count among the global variables.
    SaveGame save = readSaveGame(game.dir.read("world.dat.savegame"));
    ASSERT_TRUE(save.complete) << "the save game is cut or has bytes left over";
    EXPECT_EQ(save.movementType, 0);
    EXPECT_NEAR(save.x, 95.f, 1.f);
    EXPECT_LT(save.z, 243.f);
    bool hasGemCount = false;
    for (const auto& variable : save.variables) hasGemCount = hasGemCount || variable.first == "gems";
    EXPECT_TRUE(hasGemCount);

    // The jump was heard: the jump sound is in the capture.
    CapturedAudio captured, jump;
    ASSERT_TRUE(readCapturedAudio(game.audioPath, captured)) << "no audio captured";
    ASSERT_TRUE(readCapturedAudio(game.dir.file("sound/jump.wav"), jump));
    std::vector<float> capture = monoAt(captured, captured.sampleRate);
    std::vector<float> jumpSound = monoAt(jump, captured.sampleRate);
    double jumpMatch = bestMatch(capture, jumpSound, captured.sampleRate);
    EXPECT_GT(jumpMatch, 0.9);
    // The match tells sounds apart: the splash of a fall into the sea was never played.
    CapturedAudio splash;
    ASSERT_TRUE(readCapturedAudio(game.dir.file("sound/splash.wav"), splash));
    double splashMatch = bestMatch(capture, monoAt(splash, captured.sampleRate), captured.sampleRate);
    EXPECT_LT(splashMatch, 0.6) << "jump " << jumpMatch;
    std::cout << "jump sound match " << jumpMatch << ", splash (never played) " << splashMatch << std::endl;
}
