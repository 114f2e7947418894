// GL entry points beyond OpenGL 1.1, looked up at run time: Windows' opengl32
// exports 1.1 only, and the GLX ABI promises no more either.
#pragma once

// The entry point `name` of the current GL implementation, or null when it
// has none. On X11 the answer does not depend on a context.
void* glProcAddress(const char* name);
