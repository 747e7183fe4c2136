#pragma once

#include <string>
#include <vector>

#include "Dialer.h"

namespace phone {

// The one-line JSON report: the process (its name and pid), the tweak libraries loaded, and the
// ten messages.
std::string reportJSON(const std::vector<std::string>& loaded, const std::vector<MessageRecord>& messages);

}  // namespace phone
