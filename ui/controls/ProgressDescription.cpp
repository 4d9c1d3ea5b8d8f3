#include "ui/controls/ProgressDescription.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>

namespace quillora {
namespace {

// QWidget raises DescriptionChanged on every assignment, equal or not.
void setDescription(QWidget& button, const QString& description)
{
    if (button.accessibleDescription() != description)
        button.setAccessibleDescription(description);
}

} // namespace

void describeProgress(QWidget& button, int done, int total)
{
    const int percent = total > 0 ? int(std::clamp<qint64>(qint64(done) * 100 / total, 0, 100)) : 0;
    setDescription(button, QCoreApplication::translate("ProgressDescription", kProgressDescription).arg(percent));
}

void clearProgressDescription(QWidget& button)
{
    setDescription(button, QString());
}

} // namespace quillora
