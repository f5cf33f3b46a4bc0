#include "world/CubeTypeDescription.h"

#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"

void CubeTypeDescription::read(WorldFileReader& in)
{
    for (int i = 0; i < nbCubeFaces; i++) {
        int32_t length = in.readCount("texture name length", 1);
        std::string name = in.readBytes((size_t)length, "texture name");
        size_t zero = name.find('\0');
        textureNames[i] = zero == std::string::npos ? name : name.substr(0, zero);
    }
    stretchTexture = in.readByte("cube type options") != 0 ? 1 : 0;
    divideTexCoordsBy8 = in.readByte("cube type options") != 0 ? 1 : 0;
    randomTexCoords = in.readByte("cube type options") != 0 ? 1 : 0;
    collidable = in.readByte("cube type options") != 0;
}

void CubeTypeDescription::write(WorldFileWriter& out) const
{
    for (int i = 0; i < nbCubeFaces; i++) {
        out.writeInt((int32_t)textureNames[i].size());
        out.writeBytes(textureNames[i]);
    }
    out.writeByte(stretchTexture);
    out.writeByte(divideTexCoordsBy8);
    out.writeByte(randomTexCoords);
    out.writeByte(collidable ? 1 : 0);
}
