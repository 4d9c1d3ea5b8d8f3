#pragma once
// The template deck the build puts beside the programs, for the tests and
// benchmarks that fill or read the real one.

#include "core/FileNames.h"

#include <QString>

namespace quillora::testing {

inline QString builtTemplatePath()
{
    return QStringLiteral(QUILLORA_BIN_DIR "/") + QLatin1String(kTemplateFileName);
}

} // namespace quillora::testing
