#pragma once

#include <optional>

// The lock states of the keyboard that the status bar shows as "UF", "NUM" and "RF".
struct SKeyLockStates
{
    bool capsLock{false};
    bool numLock{false};
    bool scrollLock{false};

    bool operator==(const SKeyLockStates&) const = default;
};

// Reads the lock states from the window system, or nothing where it offers no way to read them.
std::optional<SKeyLockStates> ReadKeyLockStates();
