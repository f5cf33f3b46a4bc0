// Writing through a temporary file: the content and permissions of the result, and what a
// failure leaves behind (the previous file untouched, no temporary file, a reason).
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <set>

#include "core/AtomicFile.h"
#include "TempDir.h"

namespace {

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.insert(name);
    }
    closedir(dir);
    return names;
}

mode_t permissionsOf(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

}  // namespace

TEST(AtomicFile, AFirstFileGetsTheUsualPermissionsAndNoTemporaryFileStays)
{
    TempDir folder;
    mode_t mask = umask(022);
    std::string reason = "untouched";
    bool written = writeFileAtomically(folder.file("new.savegame"), std::string("a\0b", 3), &reason);
    umask(mask);

    EXPECT_TRUE(written);
    EXPECT_EQ(reason, "untouched");
    EXPECT_EQ(folder.read("new.savegame"), std::string("a\0b", 3));
    EXPECT_EQ(permissionsOf(folder.file("new.savegame")), (mode_t)0644);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"new.savegame"}));
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissions)
{
    TempDir folder;
    std::string path = folder.write("world.dat", "old content, longer than the new one");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);

    EXPECT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(folder.read("world.dat"), "new");
    EXPECT_EQ(permissionsOf(path), (mode_t)0600);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"world.dat"}));
}

TEST(AtomicFile, FailuresLeaveNothingBehindAndSayWhy)
{
    TempDir folder;
    std::string reason;
    EXPECT_FALSE(writeFileAtomically(folder.file("missing/world.dat"), "bytes", &reason));
    EXPECT_EQ(reason.find("cannot create a temporary file in '" + folder.file("missing") + "': "), 0u) << reason;
    EXPECT_TRUE(namesIn(folder.path()).empty());

    // A folder where the file should be: the rename fails, the folder stays as it was.
    folder.write("taken/inside.txt", "kept");
    reason.clear();
    EXPECT_FALSE(writeFileAtomically(folder.file("taken"), "bytes", &reason));
    EXPECT_EQ(reason.find("cannot replace '" + folder.file("taken") + "': "), 0u) << reason;
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"taken"}));
    EXPECT_EQ(folder.read("taken/inside.txt"), "kept");

    // Without a place for the reason the failure is still reported.
    EXPECT_FALSE(writeFileAtomically(folder.file("missing/world.dat"), "bytes"));
}
