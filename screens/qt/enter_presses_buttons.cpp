// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/enter_presses_buttons.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace kavo {

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* window = qobject_cast<QQuickWindow*>(watched);
    QQuickItem* item = window ? window->activeFocusItem() : nullptr;
    if (item == nullptr || !item->isEnabled() || !item->inherits("QQuickAbstractButton")) return false;

    // The button's own handling first (a row that opens its link on Enter).
    QKeyEvent enter(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), key->count());
    if (QCoreApplication::sendEvent(item, &enter) && enter.isAccepted()) return true;
    if (key->isAutoRepeat()) return true; // one press per key stroke
    QKeyEvent space(key->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(item, &space);
    return true;
}

} // namespace kavo
