#pragma once
// Carrying out one plutil request.

#include "Request.h"

namespace plutil {

// The exit status: 0 when everything was done, 1 when a file could not be read, changed or written
// (each problem is on standard error).
int perform(const Request& request);

}  // namespace plutil
