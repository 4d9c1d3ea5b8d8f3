#include "automation/OfficeServerChoice.h"
#include "automation/EngineApplication.h"
#include "core/AppTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <chrono>
#include <cstdio>
#include <future>

namespace quillora::office {

struct OfficeChoiceText {
    Q_DECLARE_TR_FUNCTIONS(OfficeServerChoice)
};
namespace {

using namespace automation;

// The application the program holds while Impress serves. Its first real
// call connects; if that fails and Impress was not forced, every call from
// then on goes to an engine application instead.
class ChosenApplication final : public Application {
public:
    ChosenApplication(std::shared_ptr<OfficeApplication> office, EngineServer& engine, bool forced, qint64 timeoutMs,
                      EventPump* events)
        : m_office(std::move(office)), m_engineServer(engine), m_forced(forced), m_timeoutMs(timeoutMs),
          m_events(events)
    {
    }

    QString defaultMember() override { return m_office->defaultMember(); }
    void setVisible(bool visible) override { target().setVisible(visible); }
    Ref<Presentations> presentations() override { return target().presentations(); }
    Ref<DocumentWindow> activeWindow() override { return target().activeWindow(); }

private:
    Application& target()
    {
        if (!m_engine.isNothing())
            return *m_engine.shared();
        if (!m_tried) {
            m_tried = true;
            try {
                connectOffice();
            } catch (const RuntimeError& e) {
                if (m_forced)
                    throw;
                const QString note = OfficeChoiceText::tr("LibreOffice Impress: %1; the built-in engine makes the deck")
                                         .arg(e.description());
                std::fprintf(stderr, "quillora: %s\n", note.toLocal8Bit().constData());
                m_engineServer.registerWith(m_engineRuntime);
                m_engine = m_engineRuntime.CreateObject(QLatin1String(kPowerPointClass));
                return *m_engine.shared();
            }
        }
        return *m_office;
    }

    // Starting an office takes seconds: the connection is made on a worker
    // thread while the window goes on handling its events (typing, drawing
    // the button's progress). Without an event pump, on this thread.
    void connectOffice()
    {
        if (!m_events) {
            m_office->connect(m_timeoutMs);
            return;
        }
        std::future<void> connecting =
            std::async(std::launch::async, [office = m_office, timeoutMs = m_timeoutMs] { office->connect(timeoutMs); });
        while (connecting.wait_for(std::chrono::milliseconds(kEventSliceMs)) != std::future_status::ready)
            m_events->processPendingEvents();
        connecting.get(); // rethrows the connection's failure
    }

    static constexpr int kEventSliceMs = 20;

    std::shared_ptr<OfficeApplication> m_office;
    EngineServer& m_engineServer;
    bool m_forced;
    qint64 m_timeoutMs;
    EventPump* m_events;
    bool m_tried = false;
    AutomationRuntime m_engineRuntime;
    Ref<Application> m_engine;
};

} // namespace

std::shared_ptr<OfficeServer> loadPluginFile(const QString& path, const OfficeOptions& options, QString* why)
{
    if (!QFileInfo::exists(path)) {
        *why = path + OfficeChoiceText::tr(": not found");
        return nullptr;
    }
    QLibrary library(path);
    if (!library.load()) {
        *why = library.errorString();
        return nullptr;
    }
    auto create = reinterpret_cast<CreateOfficeServer>(library.resolve(kOfficePluginEntry));
    OfficeServer* server = create ? create(options, kOfficePluginVersion) : nullptr;
    if (!server) {
        *why = path + OfficeChoiceText::tr(": not a Quillora office plugin of this version");
        return nullptr;
    }
    return std::shared_ptr<OfficeServer>(server);
}

QStringList pluginCandidates(const QString& programFolder)
{
    const QDir folder(programFolder);
    return {folder.filePath(QLatin1String(kPluginFileName)),
            QDir::cleanPath(folder.filePath(QStringLiteral("../lib/quillora/") + QLatin1String(kPluginFileName)))};
}

ServerChoice chooseOfficeServer(Environment& environment, const PluginLoader& load)
{
    const QString wanted = environment.variable(QLatin1String(kOfficeVariable)).value_or(QString()).trimmed().toLower();
    ServerChoice choice;
    if (wanted == QLatin1String(kOfficeEmbedded))
        return choice;
    choice.forced = wanted == QLatin1String(kOfficeImpress);
    QStringList reasons;
    std::shared_ptr<OfficeServer> server;
    for (const QString& path : pluginCandidates(environment.programFolder())) {
        QString why;
        server = load(path, &why);
        if (server)
            break;
        reasons << why;
    }
    if (!server)
        reasons.prepend(OfficeChoiceText::tr("The LibreOffice Impress plugin could not be loaded."));
    else if (!server->installed())
        reasons = QStringList{OfficeChoiceText::tr("LibreOffice Impress is not installed (the soffice program was not found).")};
    else
        choice.impress = server;
    if (!choice.impress && choice.forced)
        choice.refusal = OfficeChoiceText::tr("%1=%2 asks for LibreOffice Impress, which cannot be used:\r\n")
                             .arg(QLatin1String(kOfficeVariable), QLatin1String(kOfficeImpress))
                         + reasons.join(QStringLiteral("\r\n"));
    return choice;
}

PresentationAppWords presentationAppWords(const ServerChoice& choice)
{
    // A forced Impress that cannot be had is still the application asked for.
    const auto words = [](const char* text) { return QCoreApplication::translate("PowerPointChecks", text); };
    if (choice.impress || choice.forced)
        return {QLatin1String(kImpressName), words(kImpressClosing)};
    return {words(kDefaultProgramName), words(kDefaultProgramClosing)};
}

void registerChosenServer(AutomationRuntime& runtime, EngineServer& engine, const ServerChoice& choice,
                          qint64 connectTimeoutMs, EventPump* events)
{
    if (!choice.impress) {
        if (choice.refusal.isEmpty())
            engine.registerWith(runtime);
        else
            runtime.registerClass(QLatin1String(kPowerPointClass), {});
        return;
    }
    const std::shared_ptr<OfficeServer> server = choice.impress;
    const bool forced = choice.forced;
    auto make = [server, &engine, forced, connectTimeoutMs, events]() -> std::shared_ptr<Application> {
        return std::make_shared<ChosenApplication>(server->createApplication(), engine, forced, connectTimeoutMs, events);
    };
    runtime.registerClass(QLatin1String(kPowerPointClass), make, [server, make]() -> std::shared_ptr<Application> {
        return server->running() ? make() : nullptr;
    });
}

PresentationAppWords registerPresentationServer(AutomationRuntime& runtime, EngineServer& engine, Platform& platform)
{
    const ServerChoice choice = chooseOfficeServer(*platform.environment, [](const QString& path, QString* why) {
        return loadPluginFile(path, OfficeOptions{}, why);
    });
    if (!choice.refusal.isEmpty())
        platform.messages->show(applicationTitle(), choice.refusal, MessageIcon::Warning, MessageButtons::Ok);
    registerChosenServer(runtime, engine, choice, kOfficeConnectTimeoutMs, platform.events);
    return presentationAppWords(choice);
}

} // namespace quillora::office
