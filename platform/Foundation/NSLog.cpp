#include "Foundation/NSLog.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <string>

extern "C" const char* __progname;  // glibc: the executable's base name

void NSLog(const char* format, ...) {
    char message[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // One write per line, so lines of concurrent processes never interleave.
    std::string line = std::string(__progname) + "[" + std::to_string(getpid()) + "] " + message + "\n";
    (void)!write(STDERR_FILENO, line.data(), line.size());
}
