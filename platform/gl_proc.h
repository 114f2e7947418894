// GL entry points beyond OpenGL 1.1, looked up at run time: Windows' opengl32
// exports 1.1 only, and the GLX ABI promises no more either.
#pragma once

// Pointers to those entry points carry GL's calling convention, APIENTRY
// (__stdcall on 32-bit Windows), which the GL header included before this
// one defines; where it does not, the default convention is GL's.
#ifndef APIENTRY
#define APIENTRY
#endif

// The entry point `name` of the current GL implementation, or null when it
// has none. On X11 the answer does not depend on a context.
void* glProcAddress(const char* name);
