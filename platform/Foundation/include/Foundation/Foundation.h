#pragma once

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSException.h"
#include "Foundation/NSLocale.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/NSURL.h"
#include "objc/message.h"

inline SEL NSSelectorFromString(std::string_view name) { return sel_registerName(name); }
inline Class NSClassFromString(std::string_view name) { return objc_getClass(name); }
inline const char* NSStringFromClass(Class cls) { return class_getName(cls); }
