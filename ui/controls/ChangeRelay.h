#pragma once
// How a text box turns Qt's change notifications into its own Change signal.
//
// Assigning text always raises exactly one Change, even when the text is the
// same as before: loading a section then always stores what it shows. A
// failure of the Change handler goes back to whoever assigned.
//
// A change Qt raises itself (a key press, a paste) comes from inside the
// toolkit's editing code; a failure of the handler then is held for the
// event loop to show rather than unwound through that code.

#include "core/HeldFailure.h"

#include <functional>
#include <utility>

namespace quillora {

class ChangeRelay {
public:
    explicit ChangeRelay(std::function<void()> emitChange) : m_emitChange(std::move(emitChange)) {}

    // Runs an assignment; inner notifications are swallowed and one Change follows.
    template <class Assign>
    void assign(Assign&& doAssign)
    {
        m_assigning = true;
        doAssign(); // Qt's setters do not throw
        m_assigning = false;
        m_emitChange();
    }

    // Connected to the toolkit's own text-changed notification.
    void onToolkitChange()
    {
        if (m_assigning)
            return;
        try {
            m_emitChange();
        } catch (...) {
            holdCurrentFailure();
        }
    }

private:
    std::function<void()> m_emitChange;
    bool m_assigning = false;
};

} // namespace quillora
