#pragma once
// Inside the framework: tells every storage observer that a value was stored.

#include <string>

#include "objc/runtime.h"

namespace preferences {

void reportStored(const std::string& domain, const std::string& key, id value);

}  // namespace preferences
