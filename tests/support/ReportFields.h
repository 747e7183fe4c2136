#pragma once
// Reads fields out of the hosts' one-line JSON reports without a JSON library: the reports are ours
// and flat enough that a balanced-value scan finds any field.

#include <string>

namespace testing_support {

// The encoded value following `"field":` at or after `from`; "" when absent.
std::string jsonField(const std::string& json, const std::string& field, size_t from = 0);

// The encoded `field` of the MobilePhone report's message entry for `selector`.
std::string messageField(const std::string& report, const std::string& selector, const std::string& field);

}  // namespace testing_support
