#pragma once
// Where each guarded procedure says a failure happened. The text is what the
// error report shows after the description ("in <text>at line N"); the
// procedure is the short name a caller that collects failures quotes.

namespace quillora {

struct ReportLocation {
    const char* text;
    const char* procedure;
};

inline constexpr ReportLocation kStartUpLocation{"in Brindlecoe2021/08/31.Form1.Form_Load ", "Form_Load"};
inline constexpr ReportLocation kGenerateCommandLocation{"in Brindlecoe2021/08/31.Form1.PushButton1_Click ",
                                                         "PushButton1_Click"};
inline constexpr ReportLocation kGenerateMarketPlanLocation{"in Brindlecoe2021/08/31.LessonPlan.GenerateMarketPlan ",
                                                            "GenerateMarketPlan"};
inline constexpr ReportLocation kUpdateTextLocation{"in Brindlecoe2021/08/31.LessonPlan.updateText ", "updateText"};

} // namespace quillora
