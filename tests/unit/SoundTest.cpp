// Sounds through OpenAL Soft: one load per file name, restart on play, real playback
// captured by the wave backend, and the silent mode of a machine without an audio
// device. OpenAL Soft reads its configuration once per process, so every case runs in a
// child process of its own with its own configuration file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "AudioFixture.h"
#include "TempDir.h"
#include "platform/Clock.h"
#include "sound/SoundManager.h"

namespace {

// Drivers that do not exist: OpenAL Soft then finds no device, as on a machine without
// a sound card.
const char* const noDevice = "nosuchdriver";

struct Problems {
    std::string text;
    void check(bool ok, const std::string& what)
    {
        if (!ok)
            text += what + "\n";
    }
};

// In the child: points OpenAL Soft at a fresh configuration, runs the check and exits 0
// when it found nothing wrong (its complaints go to standard error otherwise).
[[noreturn]] void runWithAudio(const std::string& drivers, const std::function<void(const TempDir&, Problems&)>& check)
{
    Problems problems;
    {
        TempDir dir;
        std::string config = dir.write("alsoft.conf", openalConfig(drivers, dir.file("capture.wav")));
        setenv("ALSOFT_CONF", config.c_str(), 1);
        check(dir, problems);
    }
    std::fputs(problems.text.c_str(), stderr);
    std::exit(problems.text.empty() ? 0 : 1);
}

#define EXPECT_AUDIO_CHECK(drivers, check) \
    EXPECT_EXIT(runWithAudio(drivers, check), ::testing::ExitedWithCode(0), "")

const int wavRate = 22050;

}  // namespace

static void checkOneLoadPerNameAndRestart(const TempDir& dir, Problems& p)
{
    std::string walkFile = dir.write("sound/walk.wav", makeSquareWav(wavRate, wavRate, 8000));  // 1 s
    std::string jumpFile = dir.write("sound/jump.wav", makeSquareWav(wavRate, wavRate / 10, 8000));
    SoundManager manager("cubewright");
    p.check(manager.hasDevice(), "the wave device did not open");

    Sound_Abstract* walk = manager.getSound(walkFile);
    std::remove(walkFile.c_str());  // a second load would now fail
    p.check(manager.getSound(walkFile) == walk, "a second request gave another sound");
    p.check(manager.getSound(jumpFile) != walk, "two files gave one sound");

    p.check(!walk->isPlaying(), "playing before any play");
    walk->play(false);
    p.check(walk->isPlaying(), "not playing after play");
    // Played again 0.6 s into its 1 s, the sound starts over: it still plays 0.6 s later.
    Clock::sleepMs(600);
    walk->play(false);
    Clock::sleepMs(600);
    p.check(walk->isPlaying(), "a second play did not restart the sound");
}

TEST(SoundDeathTest, OneLoadPerNameAndPlayRestarts)
{
    EXPECT_AUDIO_CHECK("wave", checkOneLoadPerNameAndRestart);
}

static void checkHeardOnlyAfterThePlay(const TempDir& dir, Problems& p)
{
    const int nbSamples = wavRate / 4;  // 0.25 s
    std::string file = dir.write("beep.wav", makeSquareWav(wavRate, nbSamples, 12000));
    SoundManager* manager = new SoundManager("cubewright");
    Sound_Abstract* beep = manager->getSound(file);
    Clock::sleepMs(400);
    int64_t before = Clock::microseconds();
    beep->play(true);
    int64_t waited = Clock::microseconds() - before;
    p.check(waited >= 200000, "play with wait returned after " + std::to_string(waited) + " us");
    p.check(!beep->isPlaying(), "still playing after a waiting play");
    Clock::sleepMs(100);
    delete manager;  // closes the device, which completes the capture file

    CapturedAudio audio;
    if (!readCapturedAudio(dir.file("capture.wav"), audio)) {
        p.check(false, "no 16-bit capture file");
        return;
    }
    const size_t perSecond = (size_t)audio.sampleRate * audio.channels;
    const size_t silentPart = perSecond * 3 / 10;  // the first 0.3 s, before the play
    size_t firstLoud = audio.samples.size(), lastLoud = 0;
    for (size_t i = 0; i < audio.samples.size(); i++)
        if (std::abs(audio.samples[i]) > 2000) {
            firstLoud = std::min(firstLoud, i);
            lastLoud = i;
        }
    p.check(audio.samples.size() > silentPart, "capture shorter than the wait before the play");
    p.check(firstLoud >= silentPart, "sound captured before the play");
    p.check(firstLoud < audio.samples.size(), "the sound is not in the capture");
    double heard = (double)(lastLoud - firstLoud) / (double)perSecond;
    p.check(heard > 0.2 && heard < 0.3, "the sound lasted " + std::to_string(heard) + " s, not 0.25 s");
}

TEST(SoundDeathTest, PlaybackIsHeardOnlyAfterThePlay)
{
    EXPECT_AUDIO_CHECK("wave", checkHeardOnlyAfterThePlay);
}

static void checkSilentMode(const TempDir& dir, Problems& p)
{
    std::string file = dir.write("sound/walk.wav", makeSquareWav(wavRate, wavRate, 8000));
    ::testing::internal::CaptureStdout();
    SoundManager manager("cubewright");
    std::string log = ::testing::internal::GetCapturedStdout();
    p.check(log == "No audio device could be opened: the game runs silent\n", "log was: " + log);
    p.check(!manager.hasDevice(), "a device was reported");

    Sound_Abstract* walk = manager.getSound(file);
    p.check(walk != nullptr && manager.getSound(file) == walk, "not one sound per name");
    int64_t before = Clock::microseconds();
    walk->play(true);
    p.check(Clock::microseconds() - before < 100000, "a silent play with wait waited");
    p.check(!walk->isPlaying(), "a silent sound plays");
}

TEST(SoundDeathTest, WithoutDeviceTheGameRunsSilent)
{
    EXPECT_AUDIO_CHECK(noDevice, checkSilentMode);
}

// A file ALUT cannot load is fatal, with or without a device.
TEST(SoundDeathTest, MissingOrUndecodableFileIsFatal)
{
    struct Case {
        const char* drivers;
        const char* bytes;  // null: no file
    };
    for (const Case& c : {Case{"null", nullptr}, Case{"null", "RIFF but not a sound"}, Case{noDevice, nullptr},
                          Case{noDevice, "RIFF but not a sound"}}) {
        SCOPED_TRACE(std::string(c.drivers) + (c.bytes ? " undecodable" : " missing"));
        EXPECT_EXIT(
            {
                TempDir dir;
                setenv("ALSOFT_CONF", dir.write("alsoft.conf", openalConfig(c.drivers)).c_str(), 1);
                if (c.bytes)
                    dir.write("sound/bad.wav", c.bytes);
                SoundManager manager("cubewright");
                manager.getSound(dir.file("sound/bad.wav"));
            },
            ::testing::ExitedWithCode(1), "Condition: false\nMessage: /tmp/[^\n]*/sound/bad.wav: [A-Za-z]");
    }
}
