// What the parts of the Qt port share: text conversion and the GUI-thread check.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace ui {

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string stdText(const QString& text) {
    return text.toStdString();
}

/// Aborts the process when called off the GUI thread: a widget touched from a worker is a bug to
/// find at once.
inline void requireGuiThread(const char* operation) {
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread()) {
        std::fprintf(stderr, "ui: %s called off the GUI thread\n", operation);
        std::abort();
    }
}

}  // namespace ui
