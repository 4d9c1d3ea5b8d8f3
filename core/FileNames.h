#pragma once
// The names of the files the program works with. The template, the skin and
// the hand cursor lie in the program folder; the working copy goes to the
// temporary folder.

namespace quillora {

inline constexpr char kTemplateFileName[] = "marketing_plan.ppt";
inline constexpr char kWorkingCopyFileName[] = "marketing_plan_temp.ppt";
// The optional skin: x/o.cjs in the program folder.
inline constexpr char kSkinFolderName[] = "x";
inline constexpr char kSkinFileName[] = "o.cjs";
// The optional pointer over the generate button.
inline constexpr char kHandCursorFileName[] = "HAND-M.CUR";

} // namespace quillora
