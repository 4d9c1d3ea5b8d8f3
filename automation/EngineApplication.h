#pragma once
// The presentation application served by Quillora's own engine (deck/).
//
// The engine has no window. The application keeps the state a window would
// have (which presentation is active, which slide is selected) so the object
// model behaves as callers expect. The server keeps every presentation its
// applications opened, as an office keeps its documents open after the
// caller lets go of the application; nothing is written until the caller
// asks for it (writeOpenDecks, packOpenDeck).

#include "automation/AutomationRuntime.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace quillora::automation {

// What the engine's window would show: the active presentation's file and
// its selected slide (0 when nothing is selected). Empty path when nothing
// is open. Fails for an application the engine does not serve.
struct EngineWindowState {
    QString activePath;
    int selectedSlide = 0;
};
EngineWindowState engineWindowState(const Ref<Application>& application);

struct EngineDocuments;

// One deck written by writeOpenDecks: where, and why not when it failed.
struct WrittenDeck {
    QString path;
    QString error; // empty when written
};

class EngineServer {
public:
    EngineServer();
    ~EngineServer();
    EngineServer(const EngineServer&) = delete;
    EngineServer& operator=(const EngineServer&) = delete;

    // Makes "PowerPoint.Application" creatable in the runtime, served by
    // this engine. The server must outlive every application it starts.
    void registerWith(AutomationRuntime& runtime);

    // True when an application was made visible since the last write.
    bool shown() const;
    // The files of the presentations held open, in the order they were opened.
    QStringList openDeckPaths() const;

    // Writes each open presentation to the file it was opened from, then
    // lets go of them all and forgets that anything was shown.
    std::vector<WrittenDeck> writeOpenDecks();

    // Lets go of every open presentation unwritten and forgets that anything
    // was shown: a run ended early leaves nothing to hand on.
    void discardOpenDecks();

    // The open presentation opened from `path`, packed as a file's bytes,
    // and lets go of it. Throws RuntimeError when none was opened from there
    // or it cannot be packed.
    QByteArray packOpenDeck(const QString& path);

private:
    std::shared_ptr<EngineDocuments> m_documents;
};

} // namespace quillora::automation
