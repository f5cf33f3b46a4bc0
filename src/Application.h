// Application: the program's outermost frame.
//
// Turns the command line into the start options, creates the game with them, runs its
// frame step until it stops, and returns 0. Fatal errors never come back here.
//
// Options: "--fullscreen", "--world_dat" file, "--world_lua" file, "--world_config"
// file, and "--unattended" (no dialog is ever shown; for tests and servers). Any other
// word is ignored.
#pragma once

#include <string>
#include <vector>

struct StartOptions {
    std::string programPath;
    std::string worldDataFile = "world.dat";
    std::string worldLuaFile = "world.lua";
    std::string worldConfigFile = "world.xml";
    bool fullscreen = false;
    bool unattended = false;
};

class Application {
public:
    static std::vector<std::string> getArguments(int argc, char** argv);
    // Scans the options; a value-taking option without a value ends in the fatal report.
    static StartOptions parseOptions(const std::vector<std::string>& arguments);
    static int run(std::vector<std::string> arguments);

private:
    static void runGame(const StartOptions& options);
};
