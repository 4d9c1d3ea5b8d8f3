#include "cli/DeckCommand.h"
#include "cli/CommandText.h"
#include "cli/DeckRead.h"
#include "cli/FitCheck.h"
#include "cli/SlidePreview.h"

#include "cli/PlanTools.h"
#include "core/RuntimeError.h"

#include "core/DataFiles.h"
#include "plan/PlanHistory.h"

#include <QCommandLineParser>
#include <algorithm>
#include <vector>

namespace quillora {
namespace {

constexpr char kProgram[] = "quillora-deck";

void printFailure(QTextStream& err, QString sentence)
{
    if (!sentence.endsWith(QLatin1Char('.')))
        sentence += QLatin1Char('.');
    err << kProgram << ": " << sentence << Qt::endl;
}

// The options that work on the plan or template rather than fill a deck.
struct PlanToolOptions {
    QCommandLineOption check, exportPlan, importPlan, history, restore;
    std::vector<const QCommandLineOption*> all() const { return {&check, &exportPlan, &importPlan, &history, &restore}; }
};

// --check-template, --export-plan, --import-plan, --history or --restore:
// one of them, alone.
int runPlanTool(const QCommandLineParser& parser, const PlanToolOptions& modes, const QString& defaultTemplate,
                const DeckJobTools& tools, QTextStream& out, QTextStream& err)
{
    const QStringList given = parser.optionNames();
    for (const QString& name : given) {
        const auto modeNames = modes.all();
        if (std::none_of(modeNames.begin(), modeNames.end(),
                         [&](const QCommandLineOption* mode) { return mode->names().contains(name); })) {
            const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            printFailure(err, CommandText::tr("%1%2 cannot be combined with --check-template, --export-plan, "
                                             "--import-plan, --history or --restore (see --help)")
                                  .arg(dashes, name));
            return kExitUsage;
        }
    }
    if (given.size() > 1) {
        printFailure(err, CommandText::tr("give one of --check-template, --export-plan, --import-plan, --history "
                                         "and --restore, once"));
        return kExitUsage;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(modes.check) ? 1 : 0)) {
        printFailure(err, CommandText::tr("unexpected argument \"%1\" (see --help)").arg(positional.last()));
        return kExitUsage;
    }
    try {
        PlanHistory history(planHistoryFolder());
        const QDateTime now = QDateTime::currentDateTime();
        if (parser.isSet(modes.check))
            return printTemplateCheck(positional.value(0, defaultTemplate), out) ? kExitSuccess : kExitUsage;
        if (parser.isSet(modes.exportPlan))
            exportStoredPlan(storedPlanOf(tools), parser.value(modes.exportPlan), defaultTemplate);
        else if (parser.isSet(modes.importPlan))
            out << importPlanFile(storedPlanOf(tools), history, parser.value(modes.importPlan), tools.windowRunning, now)
                << Qt::endl;
        else if (parser.isSet(modes.history))
            printPlanHistory(history, out);
        else
            out << restorePlanSnapshot(storedPlanOf(tools), history, parser.value(modes.restore), tools.windowRunning, now)
                << Qt::endl;
    } catch (...) {
        out.flush();
        printFailure(err, describeCurrentException());
        return kExitFailure;
    }
    return kExitSuccess;
}

// --check-fit: 0 every section fits at the readable scale, 2 one does not,
// 1 for anything that is no verdict on the plan (a wrong combination of
// options too, so that 2 always means too long).
int runFitCheck(const QCommandLineParser& parser, const QCommandLineOption& checkFit, const QString& defaultTemplate,
                const DeckJobTools& tools, QTextStream& out, QTextStream& err)
{
    const QString conflict = fitCheckConflict(parser, checkFit);
    if (!conflict.isEmpty()) {
        printFailure(err, CommandText::tr("%1 does not go with --check-fit, which takes only --plan and --template "
                                          "(see --help)").arg(conflict));
        return kExitFailure;
    }
    const std::optional<QString> plan =
        parser.isSet(QStringLiteral("plan")) ? std::optional(parser.value(QStringLiteral("plan"))) : std::nullopt;
    const QString templatePath =
        parser.isSet(QStringLiteral("template")) ? parser.value(QStringLiteral("template")) : defaultTemplate;
    try {
        return printFitCheck(templatePath, plan, tools, out) ? kExitSuccess : kExitTooLong;
    } catch (...) {
        out.flush();
        printFailure(err, describeCurrentException());
        return kExitFailure;
    }
}

// --read-deck DECK [-o FILE] [-t FILE]: 0 the whole plan was read, 3 a
// section's shape was not found (named on stderr, the rest still written).
int runDeckRead(const QCommandLineParser& parser, const QCommandLineOption& readDeck, const QString& defaultTemplate,
                const DeckJobTools& tools, QTextStream& out, QTextStream& err)
{
    for (const QString& name : parser.optionNames()) {
        if (name != readDeck.names().first() && name != QLatin1String("o") && name != QLatin1String("output")
            && name != QLatin1String("t") && name != QLatin1String("template")) {
            const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            printFailure(err, CommandText::tr("%1%2 does not go with --read-deck, which takes only -o and --template "
                                              "(see --help)")
                                  .arg(dashes, name));
            return kExitUsage;
        }
    }
    for (const QString& single : {QStringLiteral("read-deck"), QStringLiteral("output"), QStringLiteral("template")}) {
        if (parser.values(single).size() > 1) {
            printFailure(err, CommandText::tr("--%1 was given more than once").arg(single));
            return kExitUsage;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        printFailure(err, CommandText::tr("unexpected argument \"%1\" (see --help)")
                              .arg(parser.positionalArguments().first()));
        return kExitUsage;
    }
    DeckReadRequest request;
    request.deckPath = parser.value(readDeck);
    request.templatePath =
        parser.isSet(QStringLiteral("template")) ? parser.value(QStringLiteral("template")) : defaultTemplate;
    if (parser.isSet(QStringLiteral("output")))
        request.outputPath = parser.value(QStringLiteral("output"));
    try {
        const QStringList leftOut = readDeckToPlanFile(request, tools, out);
        for (const QString& line : leftOut)
            printFailure(err, CommandText::tr("left out of the plan: %1").arg(line));
        return leftOut.isEmpty() ? kExitSuccess : kExitLeftOut;
    } catch (...) {
        out.flush();
        printFailure(err, describeCurrentException());
        return kExitFailure;
    }
}

// --preview N [--width W]: slide N as a PNG at OUT.
int runPreview(const QCommandLineParser& parser, DeckJob job, const QCommandLineOption& preview,
               const QCommandLineOption& width, const DeckJobTools& tools, QTextStream& err)
{
    if (job.pdf) {
        printFailure(err, CommandText::tr("--pdf does not go with --preview (see --help)"));
        return kExitUsage;
    }
    for (const QCommandLineOption& single : {preview, width}) {
        if (parser.values(single).size() > 1) {
            printFailure(err, CommandText::tr("--%1 was given more than once").arg(single.names().last()));
            return kExitUsage;
        }
    }
    PreviewJob previewJob{std::move(job), 0, kDefaultPreviewWidth};
    bool ok = false;
    previewJob.slide = parser.value(preview).trimmed().toInt(&ok);
    if (!ok) {
        printFailure(err, CommandText::tr("--preview takes a slide number, not \"%1\"").arg(parser.value(preview)));
        return kExitUsage;
    }
    if (parser.isSet(width)) {
        previewJob.width = parser.value(width).trimmed().toInt(&ok);
        if (!ok || previewJob.width < kSmallestPreviewWidth || previewJob.width > kLargestPreviewWidth) {
            printFailure(err, CommandText::tr("--width takes a number of pixels from %1 to %2, not \"%3\"")
                                  .arg(kSmallestPreviewWidth)
                                  .arg(kLargestPreviewWidth)
                                  .arg(parser.value(width)));
            return kExitUsage;
        }
    }
    try {
        runPreviewJob(previewJob, tools);
    } catch (...) {
        printFailure(err, describeCurrentException());
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace

int runDeckCommand(const QStringList& arguments, const QString& defaultTemplate, const DeckJobTools& tools,
                   QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CommandText::tr(
        "Fills the Quillora marketing-plan template with a plan and writes the deck to OUT.\n"
        "Without --plan it uses the plan stored by the Quillora window for this user."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption templateOption(
        QStringList{QStringLiteral("t"), QStringLiteral("template")},
        CommandText::tr("The template deck to fill (default: %1).").arg(defaultTemplate), QStringLiteral("FILE"));
    const QCommandLineOption planOption(
        QStringList{QStringLiteral("p"), QStringLiteral("plan")},
        CommandText::tr("Read the plan from this JSON file instead of the stored plan."), QStringLiteral("FILE"));
    const QCommandLineOption outputOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        CommandText::tr("Write the filled deck here (required). The format follows the name: an OUT ending in .pdf "
                       "gets the deck as a PDF, through LibreOffice; any other name gets a .pptx deck. OUT is "
                       "never the template or the plan file, and an existing OUT you may not write is left alone."),
        QStringLiteral("OUT.pptx"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       CommandText::tr("Also write OUT with .pdf in place of .pptx, through "
                                                      "LibreOffice (nothing more when OUT ends in .pdf)."));
    // A flag: the parser has no option with an optional value, so FILE is the
    // positional argument.
    const QCommandLineOption checkOption(
        QStringLiteral("check-template"),
        CommandText::tr("Used as --check-template [FILE]: list what the template FILE (default: the one used "
                       "without --template) lacks of what the plan is written into; exit 0 when nothing is "
                       "missing, 2 when something is."));
    parser.addPositionalArgument(QStringLiteral("FILE"), CommandText::tr("The template --check-template checks."),
                                 QStringLiteral("[FILE]"));
    const QCommandLineOption exportOption(QStringLiteral("export-plan"),
                                          CommandText::tr("Write the stored plan to this plan file."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption importOption(
        QStringLiteral("import-plan"),
        CommandText::tr("Store the plan from this plan file; the stored plan is kept first in %1.")
            .arg(planBackupFolder()),
        QStringLiteral("FILE"));
    const QCommandLineOption historyOption(
        QStringLiteral("history"),
        CommandText::tr("List the plans kept in the history (%1), newest first, numbered for --restore.")
            .arg(planHistoryFolder()));
    const QCommandLineOption restoreOption(
        QStringLiteral("restore"),
        CommandText::tr("Store the plan numbered N in the --history list; the stored plan is kept in the history first."),
        QStringLiteral("N"));
    const QCommandLineOption continueOption(
        QStringLiteral("continue-long-sections"),
        CommandText::tr("A section too long to read on its slide (below %1 %) goes on over copies of its slide "
                       "placed right after it, titled \"… (continued)\", split between points.")
            .arg(kReadableFontScale / 1000));
    const QCommandLineOption checkFitOption = fitCheckOption();
    const QCommandLineOption readDeckOption(
        QStringLiteral("read-deck"),
        CommandText::tr("Print the plan the deck DECK holds as a plan file, or write it to -o FILE. A deck that is "
                        "not .pptx (.odp, .ppt) is converted by LibreOffice first. Exit 3 when a section's shape "
                        "was not found: it is named and its section left out."),
        QStringLiteral("DECK"));
    const QCommandLineOption preview = previewOption();
    const QCommandLineOption previewWidth = previewWidthOption();
    parser.addOptions({templateOption, planOption, outputOption, pdfOption, checkOption, exportOption, importOption,
                       historyOption, restoreOption, checkFitOption, preview, previewWidth, continueOption,
                       readDeckOption});

    if (!parser.parse(arguments)) {
        printFailure(err, parser.errorText() + CommandText::tr(" (see --help)"));
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        out.flush();
        return kExitSuccess;
    }
    if (parser.isSet(version)) {
        out << kProgram << ' ' << QUILLORA_VERSION << Qt::endl;
        return kExitSuccess;
    }
    if (parser.isSet(readDeckOption))
        return runDeckRead(parser, readDeckOption, defaultTemplate, tools, out, err);
    if (parser.isSet(checkFitOption))
        return runFitCheck(parser, checkFitOption, defaultTemplate, tools, out, err);
    const PlanToolOptions planTools{checkOption, exportOption, importOption, historyOption, restoreOption};
    const auto planToolModes = planTools.all();
    if (std::any_of(planToolModes.begin(), planToolModes.end(),
                    [&](const QCommandLineOption* mode) { return parser.isSet(*mode); }))
        return runPlanTool(parser, planTools, defaultTemplate, tools, out, err);
    if (!parser.positionalArguments().isEmpty()) {
        printFailure(err, CommandText::tr("unexpected argument \"%1\" (see --help)")
                              .arg(parser.positionalArguments().first()));
        return kExitUsage;
    }
    if (!parser.isSet(outputOption)) {
        printFailure(err, CommandText::tr("no output file given; name one with -o OUT.pptx"));
        return kExitUsage;
    }
    for (const QCommandLineOption& single : {templateOption, planOption, outputOption}) {
        if (parser.values(single).size() > 1) {
            printFailure(err, CommandText::tr("--%1 was given more than once").arg(single.names().last()));
            return kExitUsage;
        }
    }

    DeckJob job;
    job.templatePath = parser.isSet(templateOption) ? parser.value(templateOption) : defaultTemplate;
    if (parser.isSet(planOption))
        job.planPath = parser.value(planOption);
    job.outputPath = parser.value(outputOption);
    job.pdf = parser.isSet(pdfOption);
    job.continueLongSections = parser.isSet(continueOption);
    if (parser.isSet(preview))
        return runPreview(parser, std::move(job), preview, previewWidth, tools, err);
    if (parser.isSet(previewWidth)) {
        printFailure(err, CommandText::tr("--width goes only with --preview (see --help)"));
        return kExitUsage;
    }

    try {
        runDeckJob(job, tools);
    } catch (...) {
        printFailure(err, describeCurrentException());
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace quillora
