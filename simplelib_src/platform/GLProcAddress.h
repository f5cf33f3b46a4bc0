// GLProcAddress: looks up OpenGL and GLX entry points by name (glXGetProcAddressARB).
//
// Names beginning with "glX" come back null when the GLX library does not have them;
// for core GL names the lookup may return a dispatch stub even for a function the
// driver lacks, so check the extension string for those.
//
// Depends on: GLX.
#pragma once

typedef void (*GLProc)();

class GLProcAddress {
public:
    static GLProc find(const char* name);
};
