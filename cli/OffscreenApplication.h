#pragma once
// The command's application object. The command draws nothing, but laying
// text out needs Qt's font database, which only a QGuiApplication brings.
// This one runs on the offscreen platform ("-platform offscreen" is put in
// front of the command's arguments, and Qt takes it out again), so it needs
// no display and never talks to one, whatever QT_QPA_PLATFORM says; the
// environment is left as it is for the programs the command starts.

#include <QByteArray>
#include <QGuiApplication>

#include <vector>

namespace quillora {

namespace detail {

// Comes first so the arguments outlive the application that holds on to them.
class OffscreenArguments {
protected:
    OffscreenArguments(int argc, char** argv);
    std::vector<QByteArray> m_arguments;
    std::vector<char*> m_pointers;
    int m_argc = 0;
};

} // namespace detail

class OffscreenApplication : private detail::OffscreenArguments, public QGuiApplication {
public:
    OffscreenApplication(int argc, char** argv);
};

} // namespace quillora
