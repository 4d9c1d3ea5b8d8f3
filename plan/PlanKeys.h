#pragma once
// The setting keys of the plan store. The sixteen statement keys are a
// prefix and the section's tab index ("FirstStatementMkt_0" ...
// "SecondStatementMkt_7"), built by statementKey() in SectionCatalogue.h.

namespace quillora {

// The product name is stored under its historical key.
inline constexpr char kProductNameKey[] = "Company Name";
inline constexpr char kMarketingPlanKey[] = "Marketing Plan";
inline constexpr char kFirstStatementKeyPrefix[] = "FirstStatementMkt_";
inline constexpr char kSecondStatementKeyPrefix[] = "SecondStatementMkt_";

} // namespace quillora
