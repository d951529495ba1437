// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/link_actions.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QUrl>
#include <QUrlQuery>

namespace kavo {

LinkActions::LinkActions(KVHistoryService& history, KVFavoritesService& favorites, UrlOpener& opener,
                         Clipboard& clipboard, Clock clock, QObject* parent)
    : QObject(parent), history_(history), favorites_(favorites), opener_(opener), clipboard_(clipboard),
      clock_(std::move(clock)), repeats_(QGuiApplication::styleHints()->mouseDoubleClickInterval() / 1000.0)
{
}

void LinkActions::openEntry(const QString& name, const QString& url)
{
    if (!repeats_.accept(url.toStdString(), clock_())) return;
    history_.addEntry(name, url);
    opener_.openWebLink(url);
}

void LinkActions::openExternally(const QString& url)
{
    if (!repeats_.accept(url.toStdString(), clock_())) return;
    opener_.openWebLink(url);
}

void LinkActions::copyUrl(const QString& url)
{
    clipboard_.setText(url);
}

void LinkActions::toggleFavorite(const QString& name, const QString& url, const QString& badge)
{
    favorites_.toggleFavorite(name, url, badge);
}

bool LinkActions::isFavorite(const QString& url) const
{
    return favorites_.isFavorite(url);
}

QString LinkActions::mailLink(const QString& name, const QString& url) const
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(QUrl::toPercentEncoding(name)));
    query.addQueryItem(QStringLiteral("body"), QString::fromUtf8(QUrl::toPercentEncoding(url)));
    QUrl mail(QStringLiteral("mailto:"));
    mail.setQuery(query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return mail.toString(QUrl::FullyEncoded);
}

void LinkActions::shareByMail(const QString& name, const QString& url)
{
    opener_.openMail(QUrl(mailLink(name, url), QUrl::StrictMode));
}

} // namespace kavo
