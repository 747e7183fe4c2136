#include "device_host/PhoneReport.h"

#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace device_host {

std::optional<pid_t> reportWriter(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    const auto report = nlohmann::json::parse(text.str(), nullptr, false);
    if (!report.is_object() || !report.contains("pid") || !report["pid"].is_number_integer()) return std::nullopt;
    return static_cast<pid_t>(report["pid"].get<long long>());
}

bool removeReportOf(const std::string& hostPath, pid_t pid) {
    // Taken aside first, so a report a newer app writes meanwhile is never the one removed.
    const std::string aside = hostPath + ".ending." + std::to_string(::getpid());
    if (::rename(hostPath.c_str(), aside.c_str()) != 0) return false;
    const bool ours = reportWriter(aside) == pid;
    // Put back only where no newer report has appeared since (link never replaces).
    if (!ours) (void)::link(aside.c_str(), hostPath.c_str());
    ::unlink(aside.c_str());
    return ours;
}

}  // namespace device_host
