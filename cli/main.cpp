// quillora-deck: fills the marketing-plan template from the stored plan or a
// plan file, without a window. The generator and the engine draw nothing;
// the text layout that fits the deck's text needs Qt's font database, which
// comes with a QGuiApplication on the offscreen platform.

#include "cli/DeckCommand.h"
#include "cli/GeneratorFiller.h"
#include "cli/OffscreenApplication.h"
#include "cli/PdfExport.h"
#include "core/DataFiles.h"
#include "core/FileNames.h"
#include "core/Translations.h"
#include "plan/PlanStore.h"
#include "platform/QtProcessRunner.h"
#include "platform/WindowInstance.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    quillora::OffscreenApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillora-deck"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLORA_VERSION));
    quillora::installTranslations(app, QCoreApplication::applicationDirPath(), QLocale::system().uiLanguages());

    quillora::QtProcessRunner processes;
    quillora::ProgressLine progress(quillora::standardErrorIsTerminal());
    // The user's plan: filled from when no plan file is given, exported and imported.
    const std::unique_ptr<quillora::PlanStore> storedPlan = quillora::openUserPlanStore();
    quillora::DeckJobTools tools;
    tools.storedPlan = storedPlan.get();
    tools.filler = quillora::generatorFiller();
    tools.processes = &processes;
    tools.progress = &progress;
    tools.libreOffice = quillora::findLibreOffice(processes);
    // The claim a window holds on the plan: --import-plan takes it and keeps
    // it until the command ends, so no window can start on the plan it is
    // replacing, nor run while it does.
    quillora::PlanClaim claim(quillora::planStoreFile());
    tools.windowRunning = [&claim] { return !claim.take() && claim.available(); };

    QTextStream out(stdout);
    QTextStream err(stderr);
    // Beside the command, or in the data folder of an installed copy.
    const QString defaultTemplate =
        quillora::findDataFile(QCoreApplication::applicationDirPath(), {quillora::kTemplateFileName});
    return quillora::runDeckCommand(QCoreApplication::arguments(), defaultTemplate, tools, out, err);
}
