#include "model/ObjModel.h"

#include <GL/gl.h>

#include "core/FatalError.h"
#include "model/ModelCache.h"

ObjModel::ObjModel(const std::string& parFilename, float parScale, float parWeldDistance)
{
    ASSERT(parFilename != "", "ObjModel : a model needs a file name");
    cacheIndex = ModelCache::getModel(parFilename, parScale, parWeldDistance);
}

ObjModel::~ObjModel()
{
    ModelCache::releaseModel(cacheIndex);
}

bool ObjModel::collide(const Float3& start, const Float3& end, Float3& out)
{
    const ObjMesh* model = ModelCache::getEntry(cacheIndex).model;
    ASSERT(model, "ObjModel::collide : the model is not loaded");
    return model->segmentHit(start, end, out);
}

void ObjModel::draw()
{
    glCallList(ModelCache::getEntry(cacheIndex).displayList);
}
