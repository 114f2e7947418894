// Mouse events: the left-button drag turns the view at once, then wakes the
// update loop the way a key event does, so that the new view is drawn.
#include <GL/freeglut.h>

#include "app/scene.h"

void onMouse(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON) return;  // the wheel arrives as buttons 3 and 4
    mouseLook.leftButton(state == GLUT_DOWN, x, y);
}

void onMotion(int x, int y) {
    if (mouseLook.moveTo(x, y, camera)) onKey();
}
