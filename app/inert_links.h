// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"
#include "platform/url_opener.h"

namespace kavo {

/// An opener that opens nothing, for tools that start the real window to
/// measure or picture it.
class InertUrlOpener final : public UrlOpener {
protected:
    void handOver(const QUrl&) override {}
};

/// A clipboard that keeps nothing, for the same tools.
class InertClipboard final : public Clipboard {
public:
    void setText(const QString&) override {}
};

} // namespace kavo
