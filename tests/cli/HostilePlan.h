#pragma once
// A stored plan made of the texts most easily damaged on their way out to a
// plan file and back: one value per key, keys never stored left out.

#include "plan/SectionCatalogue.h"

#include <QString>
#include <map>

namespace quillora::testing {

inline std::map<QString, QString> hostilePlanValues()
{
    const auto& sections = allSections();
    return {
        {QStringLiteral("Company Name"), QStringLiteral(" Acme \U0001F680 Rocket/Skates: \"Pro\"\t")},
        {QStringLiteral("Marketing Plan"), QString()},                           // stored as empty text
        {sections[0].key(), sections[0].hint()},                                 // a hint, kept as it is
        {sections[1].key(), QStringLiteral("one\r\ntwo\r\n")},                   // a trailing break
        {sections[2].key(), QStringLiteral("   ")},                              // spaces only
        {sections[3].key(), QString()},                                          // empty statement
        {sections[4].key(), QStringLiteral("\U0001F680 launch\r\n\U0001D518 \u2019")}, // outside the basic plane
        {sections[5].key(), QStringLiteral("lone\rcarriage\r")},
        {sections[6].key(), QStringLiteral("lone\nfeed\n\r\n\n")},
        {sections[7].key(), QStringLiteral("\r\n\r\n")},
        {sections[8].key(), QStringLiteral("\n\r")},
        {sections[9].key(), QStringLiteral("\r")},
        {sections[10].key(), QStringLiteral("\\ \"quoted\" \u0001\u001f \u2028 </script>")},
        {sections[11].key(), sections[11].hint() + QStringLiteral("\r\n")},
        // sections 12 to 15 were never stored
    };
}

} // namespace quillora::testing
