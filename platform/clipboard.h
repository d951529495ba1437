// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kavo {

/// Puts text on the system clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
};

/// The application's clipboard (QGuiApplication::clipboard()).
class SystemClipboard final : public Clipboard {
public:
    void setText(const QString& text) override;
};

} // namespace kavo
