#pragma once
// The desktop's dictionaries through Enchant 2: the installed Hunspell (and
// other providers') dictionaries and the user's personal word lists, where
// every other Enchant-using desktop program finds them.

#include "core/SpellChecking.h"

#include <memory>

namespace quillora {

class EnchantSpelling final : public SpellDictionaries {
public:
    EnchantSpelling();
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
