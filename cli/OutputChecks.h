#pragma once
// What an output path must not be: a file no writer may replace (the
// settings files, the template in use, the plan file being read: see
// core/WriteGuard.h), a folder, or an existing file the user may not write.
// Checked before anything is made, so a refused run writes nothing at all.

#include "core/WriteGuard.h"

#include <QString>
#include <functional>
#include <vector>

namespace quillora {

// Whether the user may write an existing file (userMayWrite, or what a test
// says instead).
using WriteProbe = std::function<bool(const QString& path)>;

// Throws RuntimeError with one sentence when output may not be written.
// mayWrite: userMayWrite unless a test gives another.
void checkOutput(const QString& output, const std::vector<ProtectedFile>& protectedFiles,
                 const WriteProbe& mayWrite = {});

// The files an output of the command may never replace: the user's settings
// files, the template and, when one is read, the plan file.
std::vector<ProtectedFile> commandProtectedFiles(const QString& templatePath, const QString& planPath = {});

QString outputNotWritableSentence(const QString& output);
QString outputIsFolderSentence(const QString& output);

} // namespace quillora
