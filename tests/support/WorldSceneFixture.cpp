#include "WorldSceneFixture.h"

#include <unistd.h>

#include <cstdlib>

#include "AudioFixture.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "sound/SoundManager.h"

SoundManager* WorldSceneFixture::soundManager = nullptr;

void WorldSceneFixture::SetUpTestSuite()
{
    openGLTestWindow();
    static TempDir audio;
    setenv("ALSOFT_CONF", audio.write("alsoft.conf", openalConfig("null")).c_str(), 1);
    soundManager = new SoundManager("gl_tests");
}

void WorldSceneFixture::TearDownTestSuite()
{
    delete soundManager;
    soundManager = nullptr;
}

void WorldSceneFixture::enterFolder(const std::string& folder)
{
    if (previousFolder.empty()) {
        char* cwd = getcwd(nullptr, 0);
        previousFolder = cwd;
        std::free(cwd);
    }
    ASSERT_EQ(chdir(folder.c_str()), 0) << folder;
}

WorldSceneFixture::~WorldSceneFixture()
{
    if (!previousFolder.empty() && chdir(previousFolder.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << previousFolder;
}
