#include "ui/TemplateView.h"

#include <QFileInfo>

namespace quillora {

TemplateView::TemplateView() = default;
TemplateView::~TemplateView() = default;

bool TemplateView::follow(const QString& path)
{
    const QFileInfo file(path);
    Stamp stamp{path, file.exists() ? file.lastModified() : QDateTime(), file.exists() ? file.size() : -1};
    if (stamp == m_stamp)
        return false;
    m_stamp = std::move(stamp);
    m_statements = {};
    m_slides.reset();
    return true;
}

namespace {

// What `make` reads from the template, made once: null when it failed
// (RuntimeError for an unreadable template, LayoutUnavailable without a
// window system), or when there is no template file.
template <typename T, typename Make>
T* madeOnce(std::optional<std::unique_ptr<T>>& slot, bool present, Make make)
{
    if (!slot) {
        slot.emplace();
        try {
            if (present)
                *slot = make();
        } catch (const std::exception&) {
        }
    }
    return slot->get();
}

} // namespace

const StatementText* TemplateView::statement(const Section& section)
{
    return madeOnce(m_statements[size_t(section.index())], m_stamp.size >= 0,
                    [&] { return std::make_unique<StatementText>(m_stamp.path, section.key()); });
}

TemplateSlides* TemplateView::slides()
{
    return madeOnce(m_slides, m_stamp.size >= 0, [&] { return std::make_unique<TemplateSlides>(m_stamp.path); });
}

} // namespace quillora
