#pragma once
// Starts and finds automation servers by class name, the way the builder and
// the availability checks reach the presentation application.
//
// Servers are single-instance, as office applications are: while any
// reference to an instance lives it is the class's running object, and
// creating the class again returns that same instance. Once the last
// reference is released the instance is gone and the class has no running
// object until it is created again.

#include "automation/Automation.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace quillora::automation {

inline constexpr char kPowerPointClass[] = "PowerPoint.Application";
inline constexpr char kCannotCreateObject[] = QT_TRANSLATE_NOOP("RuntimeError", "ActiveX component can't create object");

class AutomationRuntime {
public:
    using Factory = std::function<std::shared_ptr<Application>()>;
    // An instance the server itself knows to be running outside this
    // runtime (an office the user started), or null.
    using Finder = std::function<std::shared_ptr<Application>()>;

    // Makes a class creatable; replaces an earlier registration of the name.
    // With a finder, GetObject also asks it when no instance of this
    // runtime is alive.
    void registerClass(const QString& className, Factory factory, Finder finder = {});

    // The running instance of the class, or a new one. Fails for a class
    // nobody registered and when the server cannot start.
    Ref<Application> CreateObject(const QString& className);

    // The running instance of the class; fails when none runs.
    Ref<Application> GetObject(const QString& className);

private:
    struct ClassEntry {
        Factory factory;
        Finder finder;
        std::weak_ptr<Application> running;
    };
    std::map<QString, ClassEntry> m_classes;
};

} // namespace quillora::automation
