#pragma once
// Where the program's own files are found: the template deck, the hand
// cursor and the skin. A copy run from its build folder, or unpacked as one
// folder, keeps them beside the program; an installed copy keeps them in
// share/quillora beside the bin folder that holds the program. Both are
// found relative to the program, so an installed tree works from any prefix
// and after it has been moved.

#include <QString>
#include <initializer_list>

namespace quillora {

// The data folder of an installed copy, relative to the program folder.
inline constexpr char kInstalledDataFolder[] = "../share/quillora";

// The path of a file of the program's own: <programFolder>/<names...> when
// that exists (a file or a folder, as fileExists sees it), else the same names
// under the installed data folder when they exist there, else the path beside
// the program, so a message about a missing file names the place where it is
// looked for first.
QString findDataFile(const QString& programFolder, std::initializer_list<const char*> names);

} // namespace quillora
