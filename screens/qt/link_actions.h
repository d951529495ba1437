// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/url_opener.h"
#include "services/favorites_service.h"
#include "screens/repeat_guard.h"
#include "services/history_service.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// Everything the screens do with a link: open it (recording it in the
/// history first), open a link category's address (no record), copy it,
/// share it, toggle it as a favourite. A second opening of the same link
/// within the double-click interval is a repeat, not a second request.
class LinkActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application makes the link actions.")

public:
    LinkActions(KVHistoryService& history, KVFavoritesService& favorites, UrlOpener& opener, Clipboard& clipboard,
                Clock clock = systemClock(), QObject* parent = nullptr);

    /// Records the link in "Recently Viewed", then opens it. The record stays
    /// even when the link cannot be opened (only http and https are).
    Q_INVOKABLE void openEntry(const QString& name, const QString& url);
    /// Opens a link without recording it.
    Q_INVOKABLE void openExternally(const QString& url);
    Q_INVOKABLE void copyUrl(const QString& url);
    Q_INVOKABLE void toggleFavorite(const QString& name, const QString& url, const QString& badge);
    Q_INVOKABLE bool isFavorite(const QString& url) const;

    /// A mailto: link with the name as subject and the address as body.
    Q_INVOKABLE QString mailLink(const QString& name, const QString& url) const;
    Q_INVOKABLE void shareByMail(const QString& name, const QString& url);

private:
    KVHistoryService& history_;
    KVFavoritesService& favorites_;
    UrlOpener& opener_;
    Clipboard& clipboard_;
    Clock clock_;
    screens::RepeatGuard repeats_;
};

} // namespace kavo
