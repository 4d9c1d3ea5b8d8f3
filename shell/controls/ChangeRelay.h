#pragma once
// How a text box turns Qt's change notifications into its own Change signal.
//
// Assigning text always raises exactly one Change, even when the text is the
// same as before: loading a section then always stores what it shows.
//
// A Change handler may throw (the store can refuse a write). When Qt itself
// raised the change while handling a key press or a paste, the failure is
// held until Qt's widget code has returned and is raised again from the
// box's event handler, so it never unwinds through the toolkit's internals.

#include <exception>
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
        try {
            doAssign();
        } catch (...) {
            m_assigning = false;
            throw;
        }
        m_assigning = false;
        m_emitChange();
    }

    // Connected to the toolkit's own text-changed notification.
    void onToolkitChange()
    {
        if (m_assigning)
            return;
        if (m_eventDepth == 0) {
            m_emitChange();
            return;
        }
        try {
            m_emitChange();
        } catch (...) {
            if (!m_pending)
                m_pending = std::current_exception();
        }
    }

    // Wraps the box's event handling; rethrows a failure held during it.
    template <class Handle>
    bool handleEvent(Handle&& handle)
    {
        ++m_eventDepth;
        bool result = false;
        try {
            result = handle();
        } catch (...) {
            --m_eventDepth;
            throw;
        }
        --m_eventDepth;
        if (m_eventDepth == 0 && m_pending)
            std::rethrow_exception(std::exchange(m_pending, nullptr));
        return result;
    }

private:
    std::function<void()> m_emitChange;
    bool m_assigning = false;
    int m_eventDepth = 0;
    std::exception_ptr m_pending;
};

} // namespace quillora
