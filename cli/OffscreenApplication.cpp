#include "cli/OffscreenApplication.h"

#include <QString>

#include <cstdio>

namespace quillora {
namespace {

QtMessageHandler previousHandler = nullptr;

// Starting a QGuiApplication asks where the desktop session's runtime folder
// is, to look for a display server the offscreen platform never uses; without
// XDG_RUNTIME_DIR Qt warns about it. That line would be the only one on a
// successful run's stderr and has nothing to do with the command's work.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

detail::OffscreenArguments::OffscreenArguments(int argc, char** argv)
{
    // Right after the program's name, before anything a user typed.
    for (int i = 0; i < argc; ++i) {
        m_arguments.emplace_back(argv[i]);
        if (i == 0) {
            m_arguments.emplace_back("-platform");
            m_arguments.emplace_back("offscreen");
        }
    }
    for (QByteArray& argument : m_arguments)
        m_pointers.push_back(argument.data());
    m_argc = static_cast<int>(m_arguments.size());
    m_pointers.push_back(nullptr);
    previousHandler = qInstallMessageHandler(withoutRuntimeFolderWarning);
}

OffscreenApplication::OffscreenApplication(int argc, char** argv)
    : detail::OffscreenArguments(argc, argv), QGuiApplication(m_argc, m_pointers.data())
{
    qInstallMessageHandler(previousHandler);
}

} // namespace quillora
