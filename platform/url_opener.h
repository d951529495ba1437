// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace kavo {

/// Hands links to the user's browser and mail program. Injected, so tests
/// can see what would have been opened.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    /// Opens an http or https link outside the application; anything else
    /// (relative, file:, javascript:, data:, custom schemes) is silently not
    /// opened. The result is not reported.
    void openWebLink(const QString& url);

    /// Opens a mailto: link in the mail program; anything else is ignored.
    void openMail(const QUrl& mailto);

    /// Whether `url` is a link openWebLink hands on: http or https with a host.
    [[nodiscard]] static bool isWebLink(const QString& url);

protected:
    /// Passes a checked link to the system.
    virtual void handOver(const QUrl& url) = 0;
};

/// The desktop's opener (QDesktopServices).
class DesktopUrlOpener final : public UrlOpener {
protected:
    void handOver(const QUrl& url) override;
};

} // namespace kavo
