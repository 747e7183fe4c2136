#pragma once
// Loading a pane as Settings does: the entry's bundle is opened with dlopen (its classes register
// as it loads), and its root controller is created by class name: the entry's "detail", else the
// bundle's NSPrincipalClass.

#include <string>
#include <variant>

#include "LoaderEntries.h"
#include "UIKit/UIViewController.h"

namespace settings {

// The pane's root controller, or why there is none. A loaded bundle stays loaded for the life of
// the process, as its classes may be in use.
std::variant<Ref<UIViewController>, std::string> loadPane(const LoaderEntry& entry);

}  // namespace settings
