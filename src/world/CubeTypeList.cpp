#include "world/CubeTypeList.h"

#include <iostream>

#include "core/FatalError.h"

CubeType* CubeTypeList::getCubeType(int index)
{
    ASSERT(index >= 0 && index < (int)types.size(), "CubeTypeList::getCubeType : no cube type of that index");
    CubeType* type = types[index];
    type->used = true;
    return type;
}

int CubeTypeList::addCubeType(const CubeTypeDescription& description)
{
    std::cout << "Add cube type with " << description.textureNames[CUBE_FACE_TOP]
              << ", etc. and collidable = " << (description.collidable ? 1 : 0) << "\n";
    appendCubeType(description);
    return (int)types.size() - 1;
}

void CubeTypeList::appendCubeType(const CubeTypeDescription& description)
{
    types.push_back(new CubeType(description));
}

void CubeTypeList::removeLastCubeType()
{
    ASSERT(!types.empty(), "CubeTypeList::removeLastCubeType : the list is empty");
    delete types.back();
    types.pop_back();
}

void CubeTypeList::clearCubeTypes()
{
    for (CubeType* type : types)
        delete type;
    types.clear();
}

void CubeTypeList::clearCubeTypeUsage()
{
    for (CubeType* type : types)
        type->used = false;
}

void CubeTypeList::freeUnusedCubeTypeTextures()
{
    for (CubeType* type : types)
        if (!type->used && !type->displayedInEditor)
            type->freeTextures();
}
