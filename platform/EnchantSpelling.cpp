#include "platform/EnchantSpelling.h"

#include <QLibrary>

// For the functions' types only: the library is opened when first asked, so
// that neither it nor its providers load with the program.
#include <enchant.h>

namespace quillora {

struct EnchantSpelling::Broker {
    explicit Broker(QString library) : library(std::move(library)) {}

    // Opened on first use: loading the library and finding its providers
    // read their folders. Null when the library or its broker is missing.
    EnchantBroker* get()
    {
        if (!tried) {
            tried = true;
            if (resolveAll())
                broker = init();
        }
        return broker;
    }
    ~Broker()
    {
        if (broker)
            freeBroker(broker);
    }

    bool resolveAll()
    {
        QLibrary enchant(library, 2);
        if (!enchant.load())
            return false;
        bool all = true;
        auto resolve = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(enchant.resolve(name));
            all = all && function;
        };
        resolve(init, "enchant_broker_init");
        resolve(freeBroker, "enchant_broker_free");
        resolve(listDicts, "enchant_broker_list_dicts");
        resolve(requestDict, "enchant_broker_request_dict");
        resolve(freeDict, "enchant_broker_free_dict");
        resolve(check, "enchant_dict_check");
        resolve(suggest, "enchant_dict_suggest");
        resolve(freeStringList, "enchant_dict_free_string_list");
        resolve(add, "enchant_dict_add");
        resolve(addToSession, "enchant_dict_add_to_session");
        return all;
    }

    // Stays loaded until the process ends (QLibrary does not unload it).
    QString library;
    bool tried = false;
    EnchantBroker* broker = nullptr;
    decltype(&enchant_broker_init) init = nullptr;
    decltype(&enchant_broker_free) freeBroker = nullptr;
    decltype(&enchant_broker_list_dicts) listDicts = nullptr;
    decltype(&enchant_broker_request_dict) requestDict = nullptr;
    decltype(&enchant_broker_free_dict) freeDict = nullptr;
    decltype(&enchant_dict_check) check = nullptr;
    decltype(&enchant_dict_suggest) suggest = nullptr;
    decltype(&enchant_dict_free_string_list) freeStringList = nullptr;
    decltype(&enchant_dict_add) add = nullptr;
    decltype(&enchant_dict_add_to_session) addToSession = nullptr;
};

namespace {

class EnchantDictionary final : public SpellDictionary {
public:
    EnchantDictionary(std::shared_ptr<EnchantSpelling::Broker> broker, EnchantDict* dict)
        : m_broker(std::move(broker)), m_dict(dict)
    {
    }
    ~EnchantDictionary() override { m_broker->freeDict(m_broker->get(), m_dict); }

    bool knows(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        // Negative means Enchant could not tell: leave the word unmarked.
        return m_broker->check(m_dict, utf8.constData(), utf8.size()) <= 0;
    }

    QStringList suggestions(const QString& word, int limit) override
    {
        const QByteArray utf8 = word.toUtf8();
        size_t count = 0;
        char** list = m_broker->suggest(m_dict, utf8.constData(), utf8.size(), &count);
        QStringList result;
        for (size_t i = 0; i < count && result.size() < limit; ++i)
            result << QString::fromUtf8(list[i]);
        if (list)
            m_broker->freeStringList(m_dict, list);
        return result;
    }

    void addToPersonalList(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        m_broker->add(m_dict, utf8.constData(), utf8.size());
    }

    void ignoreWhileRunning(const QString& word) override
    {
        const QByteArray utf8 = word.toUtf8();
        m_broker->addToSession(m_dict, utf8.constData(), utf8.size());
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

EnchantSpelling::EnchantSpelling(const QString& library) : m_broker(std::make_shared<Broker>(library)) {}

EnchantSpelling::~EnchantSpelling() = default;

QStringList EnchantSpelling::languages()
{
    QStringList tags;
    if (EnchantBroker* broker = m_broker->get())
        m_broker->listDicts(broker, collectTag, &tags);
    return tags;
}

std::unique_ptr<SpellDictionary> EnchantSpelling::open(const QString& language)
{
    EnchantBroker* broker = m_broker->get();
    if (!broker)
        return nullptr;
    EnchantDict* dict = m_broker->requestDict(broker, language.toUtf8().constData());
    if (!dict)
        return nullptr;
    return std::make_unique<EnchantDictionary>(m_broker, dict);
}

} // namespace quillora
