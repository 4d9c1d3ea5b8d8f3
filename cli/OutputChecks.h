#pragma once
// What an output path must not be: a file the run reads, a folder, or an
// existing file the user may not write. Checked before anything is made, so
// a refused run writes nothing at all.

#include <QString>
#include <functional>
#include <vector>

namespace quillora {

// A file the run reads, with what it is called in a sentence ("template").
struct ReadFile {
    QString role;
    QString path;
};

// Whether the user may write an existing file, as the system decides for this
// process (root may write what its bits forbid; a read-only mount or an
// immutable file stops everyone).
using WriteProbe = std::function<bool(const QString& path)>;
bool userMayWrite(const QString& path);

// Whether two paths name one file, however spelled: relative or absolute,
// through "..", a symbolic or a hard link.
bool sameFile(const QString& a, const QString& b);

// Throws RuntimeError with one of the sentences below when output may not be
// written. mayWrite: userMayWrite unless a test gives another.
void checkOutput(const QString& output, const std::vector<ReadFile>& inputs, const WriteProbe& mayWrite = {});

QString outputIsInputSentence(const QString& output, const ReadFile& input);
QString outputNotWritableSentence(const QString& output);
QString outputIsFolderSentence(const QString& output);

} // namespace quillora
