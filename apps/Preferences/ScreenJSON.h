#pragma once
// The one JSON line "show" prints: {"page":{...},"presented":{...}|null}.

#include <string>

#include "ScreenSummary.h"

namespace settings {

std::string screenJSON(const ScreenSummary& screen);

}  // namespace settings
