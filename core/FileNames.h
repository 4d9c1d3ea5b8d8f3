#pragma once
// The names of the files the program works with. The template, the skin and
// the hand cursor lie in the user's data folder, beside the program or in an
// installed copy's data folder (core/DataFiles.h); the working copy goes to
// the temporary folder.

namespace quillora {

inline constexpr char kTemplateFileName[] = "marketing_plan.ppt";
inline constexpr char kWorkingCopyFileName[] = "marketing_plan_temp.ppt";
// The optional skin: x/o.cjs.
inline constexpr char kSkinFolderName[] = "x";
inline constexpr char kSkinFileName[] = "o.cjs";
// The optional pointer over the generate button.
inline constexpr char kHandCursorFileName[] = "HAND-M.CUR";

// Beside the settings file that keeps the plan: the lock a window holds for
// as long as it shows that plan (and quillora-deck while it replaces it).
inline constexpr char kWindowClaimSuffix[] = ".window-lock";

} // namespace quillora
