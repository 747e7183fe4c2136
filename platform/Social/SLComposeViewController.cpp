#include "Social/SLComposeViewController.h"

OBJC_IMPLEMENTATION(SLComposeViewController)

Ref<SLComposeViewController> SLComposeViewController::composeViewControllerForServiceType(const std::string& type) {
    auto sheet = make<SLComposeViewController>();
    sheet->serviceType_ = type;
    return sheet;
}
