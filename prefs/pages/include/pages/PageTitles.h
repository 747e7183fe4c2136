#pragma once
// The pages' navigation titles: none while a page is shown (its header names it), and "Back" while
// another page covers it, which is the text of the covering page's back button.

inline constexpr const char* kShownPageTitle = "";
inline constexpr const char* kCoveredPageTitle = "Back";
