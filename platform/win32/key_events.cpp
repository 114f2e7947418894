#include "platform/key_events.h"

// Windows itself sends an auto-repeating key as repeated key-down messages
// with no key-up between them.
bool reportRepeatsAsPressesOnly() {
    return true;
}
