#include "platform/gl_proc.h"

#include <windows.h>

#include <cstdint>

// wglGetProcAddress answers for the current context only, and not for the
// 1.1 functions opengl32 exports itself; some drivers say "none" with 1, 2,
// 3 or -1 instead of null.
void* glProcAddress(const char* name) {
    const PROC proc = wglGetProcAddress(name);
    const std::intptr_t value = reinterpret_cast<std::intptr_t>(proc);
    if (value < -1 || value > 3) return reinterpret_cast<void*>(proc);
    if (const HMODULE opengl = GetModuleHandleW(L"opengl32.dll")) {
        return reinterpret_cast<void*>(GetProcAddress(opengl, name));
    }
    return nullptr;
}
