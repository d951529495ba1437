// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <memory>
#include <utility>

namespace kavo {

/// Runs `work` on the shared thread pool, then `done(result)` on the main
/// thread. The receiver is held weakly: if it is gone by then, the result is
/// dropped. The result travels through the application object, which lives
/// on the main thread for the whole process, so the worker never touches the
/// receiver itself; the receiver is only looked at on the main thread.
template <typename Work, typename Done> void runInBackground(QObject* receiver, Work work, Done done)
{
    QPointer<QObject> weak(receiver);
    QThreadPool::globalInstance()->start([weak, work = std::move(work), done = std::move(done)]() mutable {
        auto result = std::make_shared<decltype(work())>(work());
        QCoreApplication* application = QCoreApplication::instance();
        if (application == nullptr) return;
        QMetaObject::invokeMethod(
            application,
            [weak, done = std::move(done), result]() mutable {
                if (weak) done(std::move(*result));
            },
            Qt::QueuedConnection);
    });
}

} // namespace kavo
