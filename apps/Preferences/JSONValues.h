#pragma once
// Runtime values as the host prints them: colours as [r,g,b,a], property-list
// values as their JSON counterparts, nil as null.

#include "UIKit/UIColor.h"
#include "device/JSON.h"

namespace settings {

void writeColour(json::Writer& out, const UIColor* colour);
// Numbers keep their kind (a boolean prints true or false), strings print as text, arrays and
// dictionaries recursively; any other object as its description.
void writeObject(json::Writer& out, const NSObject* value);
// A string, or null for none.
void writeOptionalText(json::Writer& out, const NSObject* text);

}  // namespace settings
