#include "platform/window_identity.h"

#include <windows.h>

#include <cstring>

namespace {

// An icon from 0xAARRGGBB rows: a 32-bit colour bitmap with its alpha, and a
// mask Windows wants beside it (all clear: the alpha decides).
HICON makeIcon(const WindowIcon& icon) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = icon.width;
    header.bV5Height = -icon.height;  // rows from the top
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (colour == nullptr) return nullptr;
    std::memcpy(bits, icon.argb.data(), icon.argb.size() * sizeof(std::uint32_t));
    const HBITMAP mask = CreateBitmap(icon.width, icon.height, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    const HICON made = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return made;
}

// The smallest of the icons at least `size` pixels wide, else the largest.
const WindowIcon* nearest(const std::vector<WindowIcon>& icons, int size) {
    const WindowIcon* best = nullptr;
    for (const WindowIcon& icon : icons) {
        if (icon.width >= size && (best == nullptr || icon.width < best->width)) best = &icon;
    }
    return best != nullptr || icons.empty() ? best : &icons.front();
}

}  // namespace

// The task bar groups windows by their program, so the class names have no
// part here; the icon goes on the window's title bar and Alt+Tab (the task
// bar and Explorer show velmora.exe's own, the same picture).
void setWindowIdentity(const WindowIdentity& identity) {
    const HDC dc = wglGetCurrentDC();
    const HWND window = dc != nullptr ? WindowFromDC(dc) : nullptr;
    if (window == nullptr) return;
    const struct {
        WPARAM which;
        int metric;
    } kinds[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& kind : kinds) {
        const WindowIcon* icon = nearest(identity.icons, GetSystemMetrics(kind.metric));
        if (icon == nullptr) continue;
        if (const HICON made = makeIcon(*icon)) {
            SendMessageW(window, WM_SETICON, kind.which, reinterpret_cast<LPARAM>(made));
        }
    }
}
