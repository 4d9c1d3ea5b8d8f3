#pragma once
// The command's sentences, its help and its progress line are translated
// under one context: CommandText::tr("...").

#include <QCoreApplication>

namespace quillora {

struct CommandText {
    Q_DECLARE_TR_FUNCTIONS(DeckCommand)
};

} // namespace quillora
