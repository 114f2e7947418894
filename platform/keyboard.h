// Which keys are down right now, by Windows virtual-key code (the key table's
// index everywhere; on Windows GetAsyncKeyState answers). On X11 the whole
// keyboard is polled on every pass (XQueryKeymap on a connection of our own).
// Each keycode has the code of what its key is labelled with on the layout set
// (virtualKeysOfKeyboard), so letters do not depend on Shift or Caps
// Lock, the digit row gives its digits on AZERTY too, and modifiers count like
// any other key. The table is rebuilt when the server's keyboard map changes
// (setxkbmap, a new keyboard); it follows the first layout of the map, also
// while the user has switched to another group.
// Without an X display a table kept from the window's key events stands in.
#pragma once

#include <cstdint>

// Opens the polling connection to the named display (nullptr: $DISPLAY).
// Returns false, after saying so once on standard error, when it cannot;
// readKeyboard then reports the event table.
bool openKeyboard(const char* displayName);

// Fills down[0..255] with 1 for each virtual-key code that is down, else 0.
void readKeyboard(std::uint8_t down[256]);

// The event fallback: a key-down or key-up of a virtual-key code, and the
// modifier state the window system reported with an event. Ignored while polling.
void noteKeyEvent(int virtualKey, bool down);
void noteModifiers(bool shift, bool control);

bool keyboardIsPolled();
