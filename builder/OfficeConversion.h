#pragma once
// LibreOffice as a converter: run headless with a profile of its own, so it
// neither touches nor waits for the user's office suite, and runs no macro a
// deck carries.

#include "core/ProcessRunner.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <optional>

namespace quillora {

// How long a conversion may take before LibreOffice is stopped.
inline constexpr int kOfficeTimeoutMs = 180'000;

// LibreOffice found on this machine and the door it is started through.
struct OfficeConverter {
    ProcessRunner* runner = nullptr;
    QString soffice; // empty: LibreOffice is not installed
    ProcessRunner::Tick tick;
};

// The private profile's settings, in place before LibreOffice first starts
// with it: macro security at its highest and macro execution switched off,
// so no macro a deck carries runs while it is converted, and none asks.
void writeProfileSettings(const QString& profile);

// The suffix LibreOffice's input gets for a deck only it reads, by content:
// "ppt" for a legacy binary presentation, "odp" for an OpenDocument one;
// nothing for anything else, which the engine reads or refuses itself.
std::optional<QString> officeOnlyFormat(const QByteArray& bytes);

// The deck, of that format, as .pptx bytes. Throws RuntimeError with one
// plain sentence naming deckPath when LibreOffice is missing, is stopped or
// fails.
QByteArray convertedToPptx(const QByteArray& bytes, const QString& suffix, const QString& deckPath,
                           const OfficeConverter& office);

class OfficeConversion {
    Q_DECLARE_TR_FUNCTIONS(OfficeConversion)
};

} // namespace quillora
