#include "platform/EnchantSpelling.h"

#include <enchant.h>

namespace quillora {

struct EnchantSpelling::Broker {
    // Opened on first use: finding the providers reads their folders.
    EnchantBroker* get()
    {
        if (!broker)
            broker = enchant_broker_init();
        return broker;
    }
    ~Broker()
    {
        if (broker)
            enchant_broker_free(broker);
    }
    EnchantBroker* broker = nullptr;
};

namespace {

class EnchantDictionary final : public SpellDictionary {
public:
    EnchantDictionary(std::shared_ptr<EnchantSpelling::Broker> broker, EnchantDict* dict)
        : m_broker(std::move(broker)), m_dict(dict)
    {
    }
    ~EnchantDictionary() override { enchant_broker_free_dict(m_broker->get(), m_dict); }

    bool knows(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        // Negative means Enchant could not tell: leave the word unmarked.
        return enchant_dict_check(m_dict, utf8.constData(), utf8.size()) <= 0;
    }

    QStringList suggestions(const QString& word, int limit) override
    {
        const QByteArray utf8 = word.toUtf8();
        size_t count = 0;
        char** list = enchant_dict_suggest(m_dict, utf8.constData(), utf8.size(), &count);
        QStringList result;
        for (size_t i = 0; i < count && result.size() < limit; ++i)
            result << QString::fromUtf8(list[i]);
        if (list)
            enchant_dict_free_string_list(m_dict, list);
        return result;
    }

    void addToPersonalList(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        enchant_dict_add(m_dict, utf8.constData(), utf8.size());
    }

    void ignoreWhileRunning(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        enchant_dict_add_to_session(m_dict, utf8.constData(), utf8.size());
    }

private:
    std::shared_ptr<EnchantSpelling::Broker> m_broker;
    EnchantDict* m_dict;
};

void collectTag(const char* tag, const char*, const char*, const char*, void* userData)
{
    auto* tags = static_cast<QStringList*>(userData);
    const QString language = QString::fromUtf8(tag);
    if (!tags->contains(language))
        tags->append(language);
}

} // namespace

EnchantSpelling::EnchantSpelling() : m_broker(std::make_shared<Broker>()) {}

EnchantSpelling::~EnchantSpelling() = default;

QStringList EnchantSpelling::languages()
{
    QStringList tags;
    if (EnchantBroker* broker = m_broker->get())
        enchant_broker_list_dicts(broker, collectTag, &tags);
    return tags;
}

std::unique_ptr<SpellDictionary> EnchantSpelling::open(const QString& language)
{
    EnchantBroker* broker = m_broker->get();
    if (!broker)
        return nullptr;
    EnchantDict* dict = enchant_broker_request_dict(broker, language.toUtf8().constData());
    if (!dict)
        return nullptr;
    return std::make_unique<EnchantDictionary>(m_broker, dict);
}

} // namespace quillora
