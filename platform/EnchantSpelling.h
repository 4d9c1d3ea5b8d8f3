#pragma once
// The desktop's dictionaries through Enchant 2: the installed Hunspell (and
// other providers') dictionaries and the user's personal word lists, where
// every other Enchant-using desktop program finds them. The library is
// opened on first use, not with the program: where it is missing there are
// no dictionaries and nothing is said.

#include "core/SpellChecking.h"

#include <QString>

#include <memory>

namespace quillora {

class EnchantSpelling final : public SpellDictionaries {
public:
    // The library's name as the dynamic loader looks it up (major version 2).
    explicit EnchantSpelling(const QString& library = QStringLiteral("enchant-2"));
    ~EnchantSpelling() override;

    QStringList languages() override;
    std::unique_ptr<SpellDictionary> open(const QString& language) override;

    // Enchant's broker, opened on first use.
    struct Broker;

private:
    // Shared with every dictionary opened, which must be freed before it.
    std::shared_ptr<Broker> m_broker;
};

} // namespace quillora
