#pragma once
// Inside the framework: tells the storage observers that a value was stored, or refused.

#include <string>

#include "objc/runtime.h"

namespace preferences {

void reportStored(const std::string& domain, const std::string& key, id value);
void reportRefused(const std::string& domain, const std::string& key, id value, const std::string& problem);

}  // namespace preferences
