#include "platform/x11/properties.h"

std::vector<long> longProperty(Display* d, Window w, const char* name) {
    std::vector<long> values;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(d, name, True);
    if (atom == None) return values;
    if (XGetWindowProperty(d, w, atom, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (format == 32) {
            const long* longs = reinterpret_cast<const long*>(data);
            values.assign(longs, longs + count);
        }
        XFree(data);
    }
    return values;
}

Window parentOf(Display* d, Window w) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    return parent == root ? 0 : parent;
}

Window topLevelOf(Display* d, Window w) {
    for (int depth = 0; w && depth < 16; ++depth) {
        const Window parent = parentOf(d, w);
        if (!parent) return w;
        w = parent;
    }
    return 0;
}
