// GL entry points beyond OpenGL 1.1, looked up at run time: Windows' opengl32
// exports 1.1 only, and the GLX ABI promises no more either.
#pragma once

// GL's calling convention, for pointers to those entry points: __stdcall on
// 32-bit Windows (GL's APIENTRY), the default everywhere else.
#if defined(_WIN32) && !defined(_WIN64)
#define GL_PROC_API __stdcall
#else
#define GL_PROC_API
#endif

// The entry point `name` of the current GL implementation, or null when it
// has none. On X11 the answer does not depend on a context.
void* glProcAddress(const char* name);
