#include "ui/NamedFormatImage.h"

#include <QImageReader>

namespace quillora {

QImage readImageAs(QIODevice& device, const char* format)
{
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace quillora
