#include "ui/SkinFramework.h"
#include "core/FileExists.h"
#include "core/RuntimeError.h"

#include <QStringDecoder>
#include <QWidget>

namespace quillora {

void SkinFramework::loadSkin(const QString& path)
{
    const QByteArray bytes = readWholeFile(path);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError() || text.contains(QChar(0)))
        throw RuntimeError(RuntimeError::tr("Invalid file format"));
    m_styleSheet = std::move(text);
    m_loaded = true;
}

void SkinFramework::applyToWindow(QWidget& window)
{
    if (!m_loaded)
        throw RuntimeError(RuntimeError::tr("Object variable not set"));
    window.setStyleSheet(m_styleSheet);
}

} // namespace quillora
