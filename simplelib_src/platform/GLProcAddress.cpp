#include "platform/GLProcAddress.h"

#include <GL/glx.h>

GLProc GLProcAddress::find(const char* name)
{
    return (GLProc)glXGetProcAddressARB((const GLubyte*)name);
}
