#pragma once
// Where the program's own files are found: the template deck, the hand
// cursor and the skin. A user's own copy lives in the per-user data folder
// ($XDG_DATA_HOME/quillora, ~/.local/share/quillora when unset) and wins, so
// anyone can bring their own branded template without touching the
// installation. Otherwise a copy run from its build folder, or unpacked as
// one folder, keeps them beside the program, and an installed copy keeps
// them in share/quillora beside the bin folder that holds the program. Both
// are found relative to the program, so an installed tree works from any
// prefix and after it has been moved.

#include <QString>
#include <initializer_list>

namespace quillora {

// The data folder of an installed copy, relative to the program folder.
inline constexpr char kInstalledDataFolder[] = "../share/quillora";
// The program's folder inside the user's data folder, and the folder in it
// that keeps the plans set aside before another one replaced them.
inline constexpr char kUserDataFolderName[] = "quillora";
inline constexpr char kPlanBackupFolderName[] = "plans";

// $XDG_DATA_HOME/quillora, or ~/.local/share/quillora when XDG_DATA_HOME is
// unset; it need not exist. Empty when the user has no home folder, and so
// are the two paths below.
QString userDataFolder();
// Where a template of the user's own is kept: <userDataFolder>/marketing_plan.ppt.
QString userTemplatePath();
// Where replaced plans are kept: <userDataFolder>/plans.
QString planBackupFolder();

// The path of a file of the program's own: <userDataFolder>/<names...> when
// that exists (a file or a folder, as fileExists sees it), else the same
// names beside the program when they exist there, else under the installed
// data folder when they exist there, else the path beside the program, so a
// message about a missing file names the place a copy is expected.
QString findDataFile(const QString& programFolder, std::initializer_list<const char*> names);
// The same without the user's own copy: the program's own file.
QString findProgramDataFile(const QString& programFolder, std::initializer_list<const char*> names);

} // namespace quillora
