#include "gl/DeviceManager.h"

#include "core/FatalError.h"

DeviceManager* deviceManager = NULL;

DeviceManager::DeviceManager(const std::string& programPath, const std::string& title, int width,
                             int height, bool fullscreen)
{
    GLManager::initialize(programPath, title, width, height, fullscreen);
}

void DeviceManager::create(const std::string& programPath, const std::string& title, int width, int height,
                           bool fullscreen)
{
    ASSERT(deviceManager == NULL, "DeviceManager::create : already created");
    deviceManager = new DeviceManager(programPath, title, width, height, fullscreen);
}

void DeviceManager::destroy()
{
    ASSERT(deviceManager != NULL, "DeviceManager::destroy : nothing to destroy");
    delete deviceManager;
    deviceManager = NULL;
}
