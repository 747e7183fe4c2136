// plutil: checks, prints, converts and edits property-list files by hand, the way a person sets up
// or inspects a device's preferences.

#include "Request.h"
#include "Verbs.h"
#include "objc/runtime.h"

int main(int argc, char** argv) {
    int status = 0;
    const std::optional<cli::Arguments> arguments = cli::read(plutil::program(), argc, argv, status);
    if (!arguments) return status;
    std::string problem;
    const std::optional<plutil::Request> request = plutil::readRequest(*arguments, problem);
    if (!request) return cli::usageError(plutil::program(), problem);
    void* pool = objc_autoreleasePoolPush();
    status = plutil::perform(*request);
    objc_autoreleasePoolPop(pool);
    return status;
}
