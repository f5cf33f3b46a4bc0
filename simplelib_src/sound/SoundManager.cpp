#include "sound/SoundManager.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/alut.h>

#include <cstring>
#include <iostream>
#include <vector>

#include "core/FatalError.h"
#include "core/FileManager.h"
#include "sound/Sound_OpenAL.h"

SoundManager::SoundManager(const std::string& programName)
{
    std::vector<char> name(programName.begin(), programName.end());
    name.push_back('\0');
    char* arguments[] = {name.data(), nullptr};
    int nbArguments = 1;
    if (alutInit(&nbArguments, arguments))
        return;

    silent = true;
    std::cout << "No audio device could be opened: the game runs silent" << std::endl;
    openSilentContext();
    nbArguments = 1;
    alutInitWithoutContext(&nbArguments, arguments);
}

SoundManager::~SoundManager()
{
    for (auto& entry : sounds)
        delete entry.second;
    sounds.clear();
    alutExit();
    closeSilentContext();
}

// OpenAL Soft's loopback device renders only when asked to, so it needs no hardware:
// it gives ALUT the context it wants for decoding files.
void SoundManager::openSilentContext()
{
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"))
        return;
    auto openLoopback = (LPALCLOOPBACKOPENDEVICESOFT)alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT");
    if (openLoopback == nullptr)
        return;
    ALCdevice* device = openLoopback(nullptr);
    if (device == nullptr)
        return;
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
                                 ALC_FREQUENCY, 44100, 0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (context == nullptr || !alcMakeContextCurrent(context)) {
        if (context != nullptr)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return;
    }
    silentDevice = device;
    silentContext = context;
}

void SoundManager::closeSilentContext()
{
    if (silentContext == nullptr)
        return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext((ALCcontext*)silentContext);
    alcCloseDevice((ALCdevice*)silentDevice);
    silentContext = nullptr;
    silentDevice = nullptr;
}

Sound_Abstract* SoundManager::getSound(const std::string& fileName)
{
    auto found = sounds.find(fileName);
    if (found != sounds.end())
        return found->second;
    Sound_OpenAL* sound = loadSound(fileName);
    sounds[fileName] = sound;
    return sound;
}

Sound_OpenAL* SoundManager::loadSound(const std::string& fileName)
{
    if (silent && silentContext == nullptr) {
        // Nothing can decode the file: at least it must be there.
        if (!FileManager::fileExists(fileName))
            ASSERT(false, (fileName + ": " + alutGetErrorString(ALUT_ERROR_IO_ERROR)).c_str());
        return new Sound_OpenAL(0, 0);
    }

    ALuint source = 0;
    if (!silent) {
        alGenSources(1, &source);
        alListener3f(AL_POSITION, 0.f, 0.f, 0.f);
        alSource3f(source, AL_POSITION, 0.f, 0.f, 0.f);
    }
    ALuint buffer = alutCreateBufferFromFile(fileName.c_str());
    if (buffer == 0)
        ASSERT(false, (fileName + ": " + alutGetErrorString(alutGetError())).c_str());
    if (source != 0)
        alSourcei(source, AL_BUFFER, buffer);
    return new Sound_OpenAL(buffer, source);
}
