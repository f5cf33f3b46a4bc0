// Save games: the script's "saveGame" and "loadGame" requests, carried out by the game
// manager between the World's update and "lua_loop".
#include <cstring>
#include <iostream>
#include <string>

#include "core/AtomicFile.h"
#include "core/FileManager.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "script/LuaManager.h"
#include "world/World.h"

namespace {

void putUint32(std::string& bytes, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        bytes.push_back((char)(value >> (8 * i) & 0xff));
}

bool readUint32(FILE* file, uint32_t& value)
{
    unsigned char raw[4];
    if (std::fread(raw, 1, 4, file) != 4)
        return false;
    value = (uint32_t)raw[0] | (uint32_t)raw[1] << 8 | (uint32_t)raw[2] << 16 | (uint32_t)raw[3] << 24;
    return true;
}

// Bytes from the current position to the end of the file.
uint64_t bytesLeft(FILE* file)
{
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return 0;
    long end = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return end > here ? (uint64_t)(end - here) : 0;
}

}  // namespace

void LuaManager::carryOutPendingRequests()
{
    std::string loadName = LuaFuncs::takePendingLoad();
    if (!loadName.empty())
        loadGame(loadName);
    std::string saveName = LuaFuncs::takePendingSave();
    if (!saveName.empty())
        saveGame(saveName);
}

bool LuaManager::saveGame(const std::string& fileName)
{
    std::cout << "Saving game into file " << fileName << "\n";
    std::string bytes;
    world->player->writeState(bytes);
    writeGlobalVars(bytes);
    std::string reason;
    if (writeFileAtomically(fileName, bytes, &reason))
        return true;
    std::cout << "The game could not be saved into file " << fileName << " (" << reason
              << "); the previous save, if any, is unchanged\n";
    return false;
}

bool LuaManager::loadGame(const std::string& fileName)
{
    // A folder opens for reading too, then reads as an empty file: the variables would be
    // emptied by a load that has no save game to read.
    if (!FileManager::fileExists(fileName))
        return false;
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::cout << "Loading game from file " << fileName << "\n";
    // A damaged player record leaves the player as it was; the variables after it are
    // still read.
    if (!world->player->readState(file))
        std::cout << "The player record of " << fileName << " is damaged; the player is unchanged\n";
    readGlobalVars(file);
    std::fclose(file);
    return true;
}

void LuaManager::writeGlobalVars(std::string& bytes)
{
    putUint32(bytes, (uint32_t)LuaFuncs::globalVars.size());
    for (const auto& variable : LuaFuncs::globalVars) {
        putUint32(bytes, (uint32_t)variable.first.size());
        bytes += variable.first;
        putUint32(bytes, (uint32_t)variable.second);
    }
}

void LuaManager::readGlobalVars(FILE* file)
{
    LuaFuncs::globalVars.clear();
    uint32_t count = 0;
    readUint32(file, count);
    // Records are read while the file holds them: a count beyond what is left (even a
    // damaged one near 4 billion) ends with the file, and no length reaches the allocator
    // before it is known to fit.
    for (uint32_t i = 0; i < count && bytesLeft(file) >= 4; i++) {
        uint32_t length = 0;
        readUint32(file, length);
        if (length > bytesLeft(file))
            break;
        std::string name(length, '\0');
        if (length > 0 && std::fread(&name[0], 1, length, file) != length)
            break;
        name.resize(std::strlen(name.c_str()));  // the name ends at its first zero byte
        uint32_t value = 0;
        if (!readUint32(file, value))
            value = (uint32_t)-1;
        LuaFuncs::globalVars[name] = (int32_t)value;
    }
}
