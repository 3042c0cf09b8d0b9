// Answers the next alert on Qt. The alert runs its own event loop, so a timer looks for it there
// and hands it to `act`, which looks at it and closes it.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace sendertest {

inline constexpr int kAlertPollMs = 5;

inline void whenAlertAppears(std::function<void(QMessageBox&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*box);
        }
    });
    timer->start(kAlertPollMs);
}

/// The alert's button of that title, or null.
inline QAbstractButton* buttonTitled(QMessageBox& box, const QString& title) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == title) {
            return button;
        }
    }
    return nullptr;
}

/// Clicks the alert's button of that title; without one, closes the alert so that the test goes
/// on.
inline void click(QMessageBox& box, const QString& title) {
    if (QAbstractButton* button = buttonTitled(box, title)) {
        button->click();
    } else {
        box.reject();
    }
}

}  // namespace sendertest
