// DeviceManager: the engine's singleton, the window (GLManager) plus the configuration.
//
// DeviceManager::create opens the window and sets everything up; the global pointer
// deviceManager reaches it from everywhere; DeviceManager::destroy frees it at the end
// of the run. One instance per process: a second create is a fatal error.
//
// Depends on: gl/GLManager, core/XMLSimple, core/FatalError.
#pragma once

#include <string>

#include "core/XMLSimple.h"
#include "gl/GLManager.h"

class DeviceManager : public GLManager {
public:
    static void create(const std::string& programPath, const std::string& title, int width, int height,
                       bool fullscreen);
    static void destroy();

    // The world's configuration: empty until the game loads its file.
    XMLSimple config;

private:
    DeviceManager(const std::string& programPath, const std::string& title, int width, int height,
                  bool fullscreen);
    ~DeviceManager() override = default;
};

extern DeviceManager* deviceManager;
