#pragma once
// The template a run would fill, read for the window's fit meters and slide
// preview: each section's statement as the writer would set it there, and
// the template's slides to draw. Read once per template and again when the
// file at the template's path changes; a template that cannot be read gives
// nothing, and is not tried again until it changes, so typing never waits
// on a broken file and never raises a message.

#include "builder/StatementText.h"
#include "builder/TemplateSlides.h"
#include "plan/SectionCatalogue.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace quillora {

class TemplateView {
public:
    TemplateView();
    ~TemplateView();

    // Follows the file at `path`; true when what it reads is other than
    // before (another path, or the file was changed, added or removed).
    bool follow(const QString& path);

    // The section's statement as the writer sets it in the template; null
    // when the template cannot be read or lacks the section's shape.
    const StatementText* statement(const Section& section);
    // The template's slides to draw; null when it cannot be read.
    TemplateSlides* slides();

private:
    struct Stamp {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp&) const = default;
    };
    Stamp m_stamp;
    // Per section: not tried yet, or tried (null when it failed).
    std::array<std::optional<std::unique_ptr<StatementText>>, kSectionCount> m_statements;
    std::optional<std::unique_ptr<TemplateSlides>> m_slides;
};

} // namespace quillora
