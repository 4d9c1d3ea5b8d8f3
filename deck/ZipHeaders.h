#pragma once
// The names a zip's entries carry in its central directory and in their own
// local headers, read straight from the bytes. libzip goes by the central
// directory alone; streaming readers go by the local headers, and where the
// two disagree readers see different packages.

#include <QByteArray>

#include <optional>
#include <vector>

namespace quillora::deck::detail {

struct HeaderNames {
    QByteArray central; // as stored, not decoded
    QByteArray local;
};

// One item per central-directory record, in its order, found from the last
// end record of the file (where nearly every reader looks). nullopt when the
// records cannot be followed within the bytes.
std::optional<std::vector<HeaderNames>> readHeaderNames(const QByteArray& zip);

} // namespace quillora::deck::detail
