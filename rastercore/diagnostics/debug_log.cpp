// Diagnostic loggers.
#include "diagnostics/debug_log.h"

#include <syslog.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <string>

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

// Writes all of `text`, retrying short writes; stops at the first error.
void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
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
    writeAll(fd, text);
}
