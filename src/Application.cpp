#include "Application.h"

#include "core/FatalError.h"
#include "platform/ProblemBox.h"
#include "script/LuaManager.h"

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
    runGame(options);
    return 0;
}

// The game manager brings the engine up, then steps until the game ends (quit button,
// 'q' in the main menu, "quitGame", or the window closed) and takes it all down.
void Application::runGame(const StartOptions& options)
{
    LuaManager* game = new LuaManager(options.programPath, options.fullscreen, options.worldDataFile,
                                      options.worldLuaFile, options.worldConfigFile);
    while (game->isRunning)
        game->step();
    delete game;
}
