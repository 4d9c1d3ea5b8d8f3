#pragma once
// Lets assistive technology follow a long command: the button that started
// it carries how far the command has got as its accessible description, and
// QWidget raises DescriptionChanged on each change, so a screen reader
// announces it.

#include <QtGlobal>

class QWidget;

namespace quillora {

// Translated under the context "ProgressDescription".
inline constexpr char kProgressDescription[] = QT_TRANSLATE_NOOP("ProgressDescription", "Creating the template: %1% done");

// Describes done of total steps as a whole percentage (0 to 100). Repeating
// the same percentage changes nothing and raises nothing.
void describeProgress(QWidget& button, int done, int total);
// Takes the description away again once the command has ended.
void clearProgressDescription(QWidget& button);

} // namespace quillora
