// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kavo {

void SystemClipboard::setText(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

} // namespace kavo
