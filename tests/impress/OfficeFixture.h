#pragma once
// One headless Impress for the whole test binary, with a private profile and
// pipe, reached both through the plugin (as the program does) and directly
// over UNO to read back what a run left in the open document.

#include "automation/AutomationRuntime.h"
#include "automation/OfficePlugin.h"
#include "impress/ImpressOffice.h"
#include "tests/support/FakePlatform.h"

#include <com/sun/star/frame/XModel.hpp>

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace quillora::testing {

// An office of its own, headless unless started visible: profile folder,
// pipe, and the plugin's server for them.
struct PrivateOffice {
    explicit PrivateOffice(const QString& tag, const QString& program = QStringLiteral("soffice"));
    ~PrivateOffice(); // stops the office if one was started

    // Connects through the plugin (starting the office); empty or why not.
    QString start(qint64 timeoutMs = 60000);
    // Ends the office at once (SIGKILL), as a crash would.
    void kill();
    // Ends it asking first, then removes the socket it listened on.
    void stop();
    QList<qint64> processes() const;
    // Starts it as a desktop user's office with macro security at its
    // lowest: with windows, on the X display given; empty or why not.
    QString startVisible(const QString& display);

    QTemporaryDir profile;
    office::OfficeOptions options;
    std::shared_ptr<office::OfficeServer> server;
};

// An X server of the test's own (Xvfb) on a display nobody uses, ended with
// it; `name` (":N") is empty and `why` says why when none could be started.
struct PrivateDisplay {
    static bool installed();
    PrivateDisplay();
    ~PrivateDisplay();
    QString name, why;
    QProcess server;
};

// The binary's shared office; skipReason() says why the tests cannot run.
PrivateOffice& sharedOffice();
// The tests' own connection to it, for reading back what the plugin did.
const impress::Connection& sharedConnection();
QString skipReason();

// What a paragraph in Impress holds, read over UNO.
struct OfficeParagraph {
    QString text; // a line break reads as "\v"
    bool bullet = false;
    std::vector<int> sizes; // hundredths of a point, one per non-empty portion
    bool operator==(const OfficeParagraph&) const = default;
};
struct OfficeShape {
    QString name;
    std::vector<OfficeParagraph> paragraphs; // empty for a shape without text
    bool operator==(const OfficeShape&) const = default;
};

// The untitled documents open in the shared office: the decks the plugin made.
std::vector<css::uno::Reference<css::frame::XModel>> untitledDocuments();
// The one untitled document; null unless exactly one is open.
css::uno::Reference<css::frame::XModel> onlyDeck();
QString titleOf(const css::uno::Reference<css::frame::XModel>& document);
// Adds a rectangle to the first slide, as a user editing the deck would.
void addShape(const css::uno::Reference<css::frame::XModel>& document, const QString& name);
std::vector<std::vector<OfficeShape>> readSlides(const css::uno::Reference<css::frame::XModel>& document);
bool isModified(const css::uno::Reference<css::frame::XModel>& document);
int currentSlide(const css::uno::Reference<css::frame::XModel>& document); // 1-based
// Saves the document as a .pptx copy at target, as a user of Impress would.
void storeAsPptx(const css::uno::Reference<css::frame::XModel>& document, const QString& target);
// Writes the document as a legacy binary presentation.
void storeAsLegacyBinary(const QString& source, const QString& target);
// Closes every untitled document of the shared office and every one it has
// open from files in folder.
void closeDocuments(const QString& folder);

// Presentations whose document macro, bound to the events of opening and of
// being made from a template, appends a line to the marker file paired with
// the target; written as ODF by the office connected.
void writeMacroPresentations(const impress::Connection& office,
                             const std::vector<std::pair<QString, QString>>& targetsAndMarkers);

// Registers "PowerPoint.Application" served by the office (Impress forced).
void registerOffice(automation::AutomationRuntime& runtime, PrivateOffice& office, qint64 timeoutMs = 60000);

#define SKIP_WITHOUT_OFFICE()                                                                                          \
    do {                                                                                                               \
        if (!::quillora::testing::skipReason().isEmpty())                                                             \
            GTEST_SKIP() << ::quillora::testing::skipReason().toStdString();                                          \
    } while (false)

} // namespace quillora::testing
