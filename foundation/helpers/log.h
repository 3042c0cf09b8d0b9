// The foundation library's one logger: one message per call to the system log.
#pragma once

/// Level 0 writes nothing; any other level writes the formatted text (at most 1023 bytes) to the
/// system log at error priority.
void Log(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));
