#pragma once
// Where no D-Bus session bus runs, the D-Bus library starts one of its own
// (dbus-launch) the first time Qt asks for the bus, which Qt's accessibility
// bridge does as soon as the first control gets its text: a process start
// before the window shows, and a bus daemon left behind. Held while the
// application object and the window are made, this makes that question fail
// at once instead; accessibility needs a session bus anyway. When it goes,
// the environment is as it was, so programs started later find what they
// would have found.

namespace quillora {

class NoSessionBusLaunch {
public:
    NoSessionBusLaunch();
    ~NoSessionBusLaunch();
    NoSessionBusLaunch(const NoSessionBusLaunch&) = delete;
    NoSessionBusLaunch& operator=(const NoSessionBusLaunch&) = delete;

    // True when no bus was found and the library is kept from starting one.
    bool holding() const { return m_holding; }

private:
    bool m_holding = false;
};

} // namespace quillora
