#include "SettingsApp.h"

#include <filesystem>
#include <sstream>

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

namespace fs = std::filesystem;
using testing_support::Built;

std::string settingsApp() { return CORVANE_PREFERENCES_APP; }

SettingsDevice::SettingsDevice() {
    fs::copy(Built::deviceFiles(), root_.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    root_.copyFile(Built::binDirectory() + "/killall", "/usr/bin/killall");
}

testing_support::ProcessResult SettingsDevice::run(const std::string& commands) const {
    return testing_support::run({settingsApp(), "--root", root_.path(), "-c", commands});
}

void SettingsDevice::setLanguages(const std::vector<std::string>& languages) const {
    std::vector<Ref<NSObject>> items;
    for (const auto& language : languages) items.push_back(NSString::string(language));
    auto globals = NSDictionary::dictionaryWithObjectsAndKeys({{"AppleLanguages", make<NSArray>(items)}});
    root_.writeFile("/var/mobile/Library/Preferences/.GlobalPreferences.plist",
                    *plist::serialize(globals, plist::Format::Binary));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

namespace {
std::vector<std::string> linesStartingWith(const std::string& out, const std::string& prefix) {
    std::vector<std::string> found;
    for (auto& line : linesOf(out))
        if (line.starts_with(prefix)) found.push_back(std::move(line));
    return found;
}
}  // namespace

std::vector<std::string> eventsOf(const std::string& out) { return linesStartingWith(out, "{\"event\":"); }
std::vector<std::string> screensOf(const std::string& out) { return linesStartingWith(out, "{\"page\":"); }

std::string rowLabelled(const std::string& screen, const std::string& label, size_t occurrence) {
    const std::string needle = "\"label\":\"" + label + "\"";  // labels here hold nothing JSON escapes
    size_t at = 0;
    for (size_t seen = 0;; ++seen, at += needle.size()) {
        at = screen.find(needle, at);
        if (at == std::string::npos) return "";
        if (seen == occurrence) break;
    }
    const size_t start = screen.rfind('{', at);
    const size_t end = screen.find('}', at);
    return screen.substr(start, end - start + 1);
}
