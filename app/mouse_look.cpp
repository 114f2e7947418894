#include "app/mouse_look.h"

void MouseLook::leftButton(bool down, int x, int y) {
    dragging_ = down;
    lastX_ = x;
    lastY_ = y;
}

bool MouseLook::moveTo(int x, int y, Camera& camera) {
    if (!dragging_) return false;
    const int dx = x - lastX_;
    const int dy = y - lastY_;
    lastX_ = x;
    lastY_ = y;
    // Only the axes that moved act: a level drag leaves a pitch of 90 (the
    // top view) alone rather than clamping it to 80.
    if (dx != 0) {
        const double degrees = dx * degreesPerPixel_;
        camera.rotateHeading(degrees);
    }
    if (dy != 0) camera.changePitch((invert_ ? -dy : dy) * degreesPerPixel_);
    return dx != 0 || dy != 0;
}
