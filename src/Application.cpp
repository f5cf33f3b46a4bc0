#include "Application.h"

#include <algorithm>

#include "core/FatalError.h"
#include "core/FileManager.h"
#include "gl/DeviceManager.h"
#include "gl/KeyboardManager.h"
#include "platform/ProblemBox.h"

std::vector<std::string> Application::getArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

StartOptions Application::parseOptions(const std::vector<std::string>& arguments)
{
    StartOptions options;
    if (!arguments.empty())
        options.programPath = arguments[0];
    for (size_t i = 1; i < arguments.size(); i++) {
        const std::string& word = arguments[i];
        std::string* value = nullptr;
        if (word == "--fullscreen")
            options.fullscreen = true;
        else if (word == "--unattended")
            options.unattended = true;
        else if (word == "--world_dat")
            value = &options.worldDataFile;
        else if (word == "--world_lua")
            value = &options.worldLuaFile;
        else if (word == "--world_config")
            value = &options.worldConfigFile;
        if (value != nullptr) {
            i++;
            // i is the index of the value: there must be a word at that index.
            ASSERT(arguments.size() >= i+1, "Bad arguments!");  // NOLINT: the condition text is part of the report
            *value = arguments[i];
        }
    }
    return options;
}

int Application::run(std::vector<std::string> arguments)
{
    // --unattended must hold before anything can fail, the option scan included.
    for (const std::string& word : arguments)
        if (word == "--unattended")
            ProblemBox::setUnattended(true);
    StartOptions options = parseOptions(arguments);
    runWindowOnly(options);
    return 0;
}

// TEMPORARY, until the game manager exists: it will own start-up, the frame step and
// shutdown, and this loop goes. Opens the window, loads the configuration when there is
// one, shows empty frames, and ends when the window is closed or Escape is pressed.
void Application::runWindowOnly(const StartOptions& options)
{
    DeviceManager::create(options.programPath, "", 800, 600, options.fullscreen);
    if (FileManager::fileExists(options.worldConfigFile))
        deviceManager->config.load(options.worldConfigFile);
    bool escapePressed = false;
    while (!GLManager::windowClosed && !escapePressed) {
        GLManager::clearScreen(0, 0, 0, 255);
        GLManager::nextFrame();
        std::vector<int> keys = GLManager::keyboardManager->getTypedKeys();
        escapePressed = std::find(keys.begin(), keys.end(), (int)KEY_ESCAPE) != keys.end();
    }
    DeviceManager::destroy();
}
