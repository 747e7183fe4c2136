#pragma once

// One line on standard error, prefixed with the process name and id as the device's log shows it.
void NSLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
