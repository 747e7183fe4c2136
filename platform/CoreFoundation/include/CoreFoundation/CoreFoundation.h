#pragma once

#include "CoreFoundation/CFBase.h"
#include "CoreFoundation/CFNotificationCenter.h"
