#pragma once

#include <optional>

namespace carvel {

// The lock keys as the display's keyboard has them. A state is empty where the display server
// does not tell it; then only the key presses that reach a window can tell.
struct LockKeyStates {
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
    std::optional<bool> scrollLock;
};

// Asks the display server now: on X11 the keyboard's named indicators, so the states are right
// from the start and follow keys pressed in other windows. Everything is empty elsewhere.
LockKeyStates readLockKeyStates();

} // namespace carvel
