// How the window's key events report a held key.
#pragma once

// For the window whose GL context is current: an auto-repeating key reports
// repeated presses only, without a release before each, as on Windows. A
// key-up event then always means the key was let go. False where the window
// system cannot (the releases then stay).
bool reportRepeatsAsPressesOnly();
