// Key events only wake the update loop; what the keys do is decided from the
// sampled key table in the next pass.
#include "platform/keyboard.h"

#include <GL/freeglut.h>

#include <array>

#include "app/scene.h"
#include "platform/focus.h"
#include "platform/tick.h"
#include "platform/virtual_keys.h"

void pollKeys() {
    readKeyboard(keyState.entries.data());
    // Keys typed into another program are not ours, whatever the keyboard
    // holds: while the focus is elsewhere every key reads as up.
    if (!windowHasKeyboardFocus()) keyState = KeyState{};
    keyState.updateAnyKeyDown();
}

void onKey() {
    // After a pause the next pass measures from this event, so the pause is
    // never integrated as motion.
    if (camera.isStill()) frameLoop.lastTick = getTickCount();
    glutIdleFunc(onIdle);
}

namespace {

// Only used when the keyboard cannot be polled: the event table then stands in.
void noteEvent(int virtualKey, bool down) {
    if (keyboardIsPolled()) return;
    const int modifiers = glutGetModifiers();
    noteModifiers(modifiers & GLUT_ACTIVE_SHIFT, modifiers & GLUT_ACTIVE_CTRL);
    noteKeyEvent(virtualKey, down);
}

}  // namespace

void onKeyboardDown(unsigned char key, int, int) {
    noteEvent(virtualKeyFromGlutKey(key), true);
    onKey();
}

void onKeyboardUp(unsigned char key, int, int) {
    noteEvent(virtualKeyFromGlutKey(key), false);
    onKeyReleased(virtualKeyFromGlutKey(key));
    onKey();
}

void onSpecialDown(int key, int, int) {
    noteEvent(virtualKeyFromGlutSpecial(key), true);
    onKey();
}

void onSpecialUp(int key, int, int) {
    noteEvent(virtualKeyFromGlutSpecial(key), false);
    onKeyReleased(virtualKeyFromGlutSpecial(key));
    onKey();
}
