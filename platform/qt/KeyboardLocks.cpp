#include "KeyboardLocks.h"

#include <QGuiApplication>

// After Qt's headers: Xlib's macros (None, Bool, Status, ...) would clash with names in them.
#include <X11/XKBlib.h>

namespace carvel {

namespace {

std::optional<bool> indicator(Display* display, const char* name) {
    Bool lit = False;
    if (!XkbGetNamedIndicator(display, XInternAtom(display, name, False), nullptr, &lit, nullptr,
                              nullptr))
        return std::nullopt;
    return lit != False;
}

} // namespace

LockKeyStates readLockKeyStates() {
    const auto* x11 = qGuiApp != nullptr
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr)
        return {};
    return {indicator(display, "Caps Lock"), indicator(display, "Num Lock"),
            indicator(display, "Scroll Lock")};
}

} // namespace carvel
