// A tweak that dies as it is loaded, as a broken tweak does: every Phone app it is injected into
// crashes at start (SIGABRT) after a last word on its standard error.

#include <cstdio>
#include <cstdlib>

namespace {

[[gnu::constructor]] void dieAtLoad() {
    std::fputs("CrashingTweak: cannot find the dialer it hooks; giving up\n", stderr);
    std::abort();
}

}  // namespace
