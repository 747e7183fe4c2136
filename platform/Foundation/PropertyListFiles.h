#pragma once
// Foundation reads property-list files through class methods of NSDictionary that the plist library
// adds when it is loaded: that library makes Foundation's objects from the files, so Foundation
// cannot link it. Without it loaded the messages are unrecognized selectors.
//   +dictionaryWithContentsOfFile:      a device path, under the device root, its values made when
//                                       asked for (what the product sends)
//   +dictionaryWithContentsOfHostFile:  a path of this machine, made whole at once (what Foundation
//                                       sends, a device path resolved first)

#include <string_view>

#include "Foundation/NSDictionary.h"

// What the class method gives for `path`: the dictionary at the top of the file, else nil. The
// result is the caller's alone, not left in any autorelease pool.
Ref<NSDictionary> dictionaryFromFile(SEL classMethod, std::string_view path);
