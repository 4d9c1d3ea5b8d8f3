#pragma once
// A deck opened through the engine server and written by the real shape text
// writer (updateText), with no window behind it: failed steps are collected,
// pauses return at once. For tests and benchmarks that want the writer's
// output without a whole generation run.

#include "automation/AutomationRuntime.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "core/ErrorReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillora::testing {

class EngineDeck {
public:
    // Opens the deck at `path`; it stays open until pack() or save().
    explicit EngineDeck(const QString& path);

    // Writes the lines into the named shape of a slide (1-based) with updateText.
    void write(int slide, const QString& shape, const QStringList& lines);
    // Sets a shape's whole text, as the generator does for slide 1.
    void setText(int slide, int shape, const QString& text);

    // The deck packed as a file's bytes, or written back to its file; both let go of it.
    QByteArray pack();
    void save();

    // Every step the writer reported as failed.
    CollectedFailures failures;

private:
    automation::EngineServer m_engine;
    automation::AutomationRuntime m_runtime;
    BuilderContext m_context{m_runtime, failures};
    automation::Ref<automation::Application> m_application;
    automation::Ref<automation::Presentation> m_deck;
    QString m_path;
};

} // namespace quillora::testing
