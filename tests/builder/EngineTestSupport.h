#pragma once
// Shared set-up for tests that drive the real engine with the real template:
// a runtime serving the engine, fake platform doors, and a private copy of
// the template.

#include "builder/DeckHandOff.h"
#include "automation/EngineApplication.h"
#include "builder/MarketingPlanGenerator.h"
#include "tests/builder/BuilderTestSupport.h"
#include "tests/support/SavedDeck.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/BuiltTemplate.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quillora::testing {

inline QString realTemplate()
{
    return quillora::testing::builtTemplatePath();
}

struct EngineFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(realTemplate())) << "the template deck is built beside the program";
        engine.registerWith(runtime);
        deckPath = folder.path() + QStringLiteral("/deck.pptx");
        ASSERT_TRUE(QFile::copy(realTemplate(), deckPath));
    }

    automation::Ref<automation::Application> start()
    {
        return runtime.CreateObject(QLatin1String(automation::kPowerPointClass));
    }

    // One run as the window makes it: the generator, then the hand-off of
    // the filled deck to the (fake) desktop.
    GenerationOutcome runAsWindow(const WindowRun& run, const Plan& plan)
    {
        const GenerationOutcome outcome = generateMarketPlan(run, plan);
        handOffToDesktop(engine, fake.platform);
        return outcome;
    }

    // The saved deck at `path`, failing the test when it cannot be read.
    static SavedDeck saved(const QString& path)
    {
        QString error;
        SavedDeck deck = SavedDeck::read(path, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return deck;
    }

    FakePlatform fake;
    automation::EngineServer engine;
    automation::AutomationRuntime runtime;
    TestPlan plan;
    WindowRun context{fake, runtime};
    QTemporaryDir folder;
    QString deckPath;
};

} // namespace quillora::testing
