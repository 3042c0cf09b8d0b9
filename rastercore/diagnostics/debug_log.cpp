// Diagnostic loggers.
#include "diagnostics/debug_log.h"

#include <syslog.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "diagnostics/log_file.h"

namespace {

std::string formatted(const char* format, va_list arguments) {
    va_list sizing;
    va_copy(sizing, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

void debugLog(int level, const char* format, ...) {
    if (level > 0) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatted(format, arguments);
    va_end(arguments);
    ::syslog(LOG_ERR, "%.*s", static_cast<int>(text.size()), text.c_str());
}

void debugLogFd(int level, int fd, const char* format, ...) {
    if (level > 0) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatted(format, arguments) + "\n";
    va_end(arguments);
    write_logText(fd, text);
}
