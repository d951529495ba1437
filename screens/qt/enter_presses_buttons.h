// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace kavo {

/// Enter and Return press the focused button, as Space does: Qt Quick
/// Controls 6.4 buttons answer Space only, and a desktop user expects both.
/// A button that handles Enter itself keeps it. Install on the application
/// so it covers every window, popups and alerts included.
class EnterPressesButtons : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kavo
