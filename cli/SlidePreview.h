#pragma once
// quillora-deck --preview N: the template filled with the plan in memory, as
// a run fills it, and slide N drawn as a PNG picture at OUT, through the same
// output checks and atomic replacement as a deck. Prints nothing.

#include "cli/DeckJob.h"

#include <QCommandLineOption>

namespace quillora {

inline constexpr int kDefaultPreviewWidth = 1280;
inline constexpr int kSmallestPreviewWidth = 16;
inline constexpr int kLargestPreviewWidth = 8192;

QCommandLineOption previewOption();
QCommandLineOption previewWidthOption();

struct PreviewJob {
    DeckJob deck;   // template, plan and OUT
    int slide = 1;  // from 1
    int width = kDefaultPreviewWidth;
};

// Throws RuntimeError with one plain sentence when anything fails, a slide
// the deck does not have among them.
void runPreviewJob(const PreviewJob& job, const DeckJobTools& tools);

} // namespace quillora
