#include "shell/SkinFramework.h"
#include "shell/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QWidget>

namespace quillora {

void SkinFramework::LoadSkin(const QString& path, const QString& iniName)
{
    Q_UNUSED(iniName);
    if (QFileInfo(path).isDir())
        throw RuntimeError(QStringLiteral("Path/File access error"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(QStringLiteral("File not found"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(QStringLiteral("Device I/O error"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError() || text.contains(QChar(0)))
        throw RuntimeError(QStringLiteral("Invalid file format"));
    m_styleSheet = std::move(text);
    m_loaded = true;
}

void SkinFramework::ApplyWindow(QWidget& window)
{
    if (!m_loaded)
        throw RuntimeError(QStringLiteral("Object variable not set"));
    window.setStyleSheet(m_styleSheet);
}

} // namespace quillora
