#pragma once
// The message loop of the user-interface thread, its modal variant, and the key filter that
// every message passes before it is dispatched.
#include <windows.h>

#include <cstdint>

// Handles the messages already waiting, as the loop would, up to a quit request, which stays.
void DispatchWaitingMessages();

// Turns until the quit request and gives the value it carried; returns 0 at once when no window
// is alive.
int RunMessageLoop();

// Turns while the window is the modal one; returns when it is gone or a quit request is next.
void RunModalLoop(uint32_t windowId);

// Offers a message to the window that contains its target; true when a key was consumed there.
bool FilterKey(const MSG& message);
