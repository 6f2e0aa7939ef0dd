#pragma once
// What a sticker rebuild asks of the window system besides the windows
// themselves: one batch of repositionings, the stacking as the system lists
// it, and the activation handed on from the windows of the set.
#include "stickers/core/sticker_cascade.h"

#include <windows.h>

#include <unordered_set>
#include <vector>

namespace zandrel {

// Moves, sizes, shows, hides and raises windows in one batch
// (DeferWindowPos), in the order given: with HWND_TOP each one lands above
// those before it. Should the batch fail, the rest goes one window at a time.
class WindowPosBatch {
public:
    explicit WindowPosBatch(int count) : batch_(BeginDeferWindowPos(count)) {}
    ~WindowPosBatch() {
        if (batch_) {
            EndDeferWindowPos(batch_);
        }
    }
    WindowPosBatch(const WindowPosBatch&) = delete;
    WindowPosBatch& operator=(const WindowPosBatch&) = delete;

    void Add(HWND window, HWND after, WindowBounds bounds, UINT flags);

private:
    HDWP batch_;
};

// The system's list of top-level windows, top first: those of `set`, shown
// or not, and every other window that shows, stay-on-top ones aside.
std::vector<HWND> ListedStacking(const std::unordered_set<HWND>& set);

// Destroying the windows of `set` would hand the activation on from the
// active one among them to the next window below it that can take it, else
// to the first from the top; it is handed on so while they stay.
void HandOnActivation(const std::unordered_set<HWND>& set);

} // namespace zandrel
