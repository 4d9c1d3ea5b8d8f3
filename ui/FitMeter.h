#pragma once
// The fit meter: how a section's statement fits its slide in the template in
// use, measured as the user types, and the quiet line that tells it under
// the statement box. The measure is the one the command's fit check gives
// (builder/SectionFit.h), from the text the writer would set.

#include "builder/SectionFit.h"
#include "plan/SectionCatalogue.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace quillora {

class TemplateView;

class FitMeter {
    Q_DECLARE_TR_FUNCTIONS(FitMeter)

public:
    explicit FitMeter(TemplateView& view);
    ~FitMeter();

    // The statement's fit in the section's shape; nothing when it cannot be
    // told (no readable template) or there is nothing written. Each strip
    // keeps its own layout, so a keystroke costs the paragraph it changed.
    std::optional<FitVerdict> measure(Strip strip, const Section& section, const QString& statement);

    // The meter's line: "Fits its slide", "Shrinks to 85 % to fit its
    // slide" or how many lines too long; empty without a verdict.
    static QString line(const std::optional<FitVerdict>& verdict);

private:
    TemplateView& m_view;
    std::array<std::unique_ptr<layout::TextLayouter>, 2> m_layouters;
};

} // namespace quillora
