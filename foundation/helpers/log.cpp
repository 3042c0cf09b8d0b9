#include "helpers/log.h"

#include <syslog.h>

#include <cstdarg>
#include <cstdio>

namespace {
constexpr int kMessageBytes = 1024;
}

void Log(int level, const char* format, ...) {
    if (level == 0 || format == nullptr) {
        return;
    }
    char message[kMessageBytes];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    syslog(LOG_ERR, "%s", message);
}
