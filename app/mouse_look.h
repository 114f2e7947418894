// Mouse look: dragging with the left button held turns the view, at
// kMouseDegreesPerPixel unless the settings say otherwise. Sideways motion turns the heading
// (rightwards turns right), vertical motion the pitch (downwards looks down), through the camera's
// own operations, so the pitch keeps within ±80 degrees. The pointer is neither grabbed nor hidden:
// a drag is measured from the last position the window reported, in window pixels.
#pragma once

#include "camera/camera.h"

// Degrees of heading or pitch per pixel of pointer motion.
constexpr double kMouseDegreesPerPixel = 0.2;

class MouseLook {
  public:
    // The left button went down (true) or up (false) at (x, y). A press
    // starts a drag from there; a release ends it.
    void leftButton(bool down, int x, int y);
    // The pointer moved to (x, y) while a button was held. During a drag,
    // turns camera by the motion since the last position and returns true
    // when the view changed; otherwise changes nothing and returns false.
    bool moveTo(int x, int y, Camera& camera);
    bool dragging() const { return dragging_; }
    // Degrees per pixel of drag; invert: dragging up looks down.
    void setSensitivity(double degreesPerPixel, bool invert) {
        degreesPerPixel_ = degreesPerPixel;
        invert_ = invert;
    }

  private:
    bool dragging_ = false;
    int lastX_ = 0;  // pixels, from the window's left
    int lastY_ = 0;  // pixels, from the window's top
    double degreesPerPixel_ = kMouseDegreesPerPixel;
    bool invert_ = false;
};
