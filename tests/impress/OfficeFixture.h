#pragma once
// One headless Impress for the whole test binary, with a private profile and
// pipe, reached both through the plugin (as the program does) and directly
// over UNO to read back what a run left in the open document.

#include "builder/AutomationRuntime.h"
#include "builder/OfficePlugin.h"
#include "impress/ImpressOffice.h"
#include "tests/support/FakePlatform.h"

#include <com/sun/star/frame/XModel.hpp>

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace quillora::testing {

// A headless office of its own: profile folder, pipe, and the plugin's
// server for them.
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

    QTemporaryDir profile;
    office::OfficeOptions options;
    std::shared_ptr<office::OfficeServer> server;
};

// The binary's shared office; skipReason() says why the tests cannot run.
PrivateOffice& sharedOffice();
QString skipReason();

// What a paragraph in Impress holds, read over UNO.
struct OfficeParagraph {
    QString text; // a line break reads as "\v"
    bool bullet = false;
    std::vector<int> sizes; // hundredths of a point, one per non-empty portion
};
struct OfficeShape {
    QString name;
    std::vector<OfficeParagraph> paragraphs; // empty for a shape without text
};

// The documents open in the shared office from that file.
std::vector<css::uno::Reference<css::frame::XModel>> openDocuments(const QString& path);
// One of them; null when none is open.
css::uno::Reference<css::frame::XModel> openDocument(const QString& path);
std::vector<std::vector<OfficeShape>> readSlides(const css::uno::Reference<css::frame::XModel>& document);
bool isModified(const css::uno::Reference<css::frame::XModel>& document);
int currentSlide(const css::uno::Reference<css::frame::XModel>& document); // 1-based
// Writes the document as a legacy binary presentation.
void storeAsLegacyBinary(const QString& source, const QString& target);
// Closes every document the shared office has open from files in folder.
void closeDocumentsIn(const QString& folder);

// Registers "PowerPoint.Application" served by the office (Impress forced).
void registerOffice(automation::AutomationRuntime& runtime, PrivateOffice& office, qint64 timeoutMs = 60000);

#define SKIP_WITHOUT_OFFICE()                                                                                          \
    do {                                                                                                               \
        if (!::quillora::testing::skipReason().isEmpty())                                                             \
            GTEST_SKIP() << ::quillora::testing::skipReason().toStdString();                                          \
    } while (false)

} // namespace quillora::testing
