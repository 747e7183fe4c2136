#pragma once
// The Settings app's own list: one link per pane entry of the device, under an untitled group.

#include <optional>
#include <string>
#include <vector>

#include "LoaderEntries.h"
#include "Preferences/PSListController.h"

class PSRootListController : public PSListController {
    OBJC_INTERFACE(PSRootListController, PSListController)

public:
    PSRootListController() = default;

    void setEntries(std::vector<settings::LoaderEntry> entries);
    NSArray* specifiers() override;

    // The entry a row shows; nil for the group and past the end.
    const settings::LoaderEntry* entryAtRow(size_t row) const;
    // Loads the row's pane and pushes its root controller; the problem when it cannot.
    std::optional<std::string> openEntryAtRow(size_t row);

private:
    std::vector<settings::LoaderEntry> entries_;
};
