// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/refresh_status.h"

#include <QLocale>

namespace kavo {

RefreshStatus::RefreshStatus(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setInterval(6000); // long enough to read twice, short enough not to linger
    connect(&timer_, &QTimer::timeout, this, [this] { setText({}); });
}

void RefreshStatus::setDataService(KVDataService* service)
{
    if (service == dataService_) return;
    if (dataService_) disconnect(dataService_, nullptr, this, nullptr);
    dataService_ = service;
    if (dataService_) connect(dataService_, &KVDataService::refreshEnded, this, &RefreshStatus::refreshEnded);
    emit dataServiceChanged();
}

QString RefreshStatus::textFor(bool updated, const QDateTime& copyAt, const QDateTime& now)
{
    if (updated) {
        //: Shown briefly under the search field after a refresh brought a new catalogue.
        return tr("Updated just now");
    }
    if (!copyAt.isValid()) {
        //: Shown briefly after a refresh failed while the catalogue shown is the one packaged with the app.
        return tr("Could not refresh: showing the packaged copy");
    }
    const QLocale locale;
    const QDateTime local = copyAt.toLocalTime();
    const QString when = local.date() == now.toLocalTime().date() ? locale.toString(local.time(), QLocale::ShortFormat)
                                                                  : locale.toString(local, QLocale::ShortFormat);
    //: Shown briefly after a refresh failed; %1 is when the catalogue shown was downloaded (a time, or a date and time).
    return tr("Could not refresh: showing the copy from %1").arg(when);
}

void RefreshStatus::refreshEnded(bool updated)
{
    // With nothing to show, the error row says it already.
    if (!updated && dataService_->categories()->empty()) return;
    setText({}); // the same words again are still news, for a screen reader too
    setText(textFor(updated, dataService_->updatedAt(), QDateTime::currentDateTime()));
    timer_.start();
}

void RefreshStatus::setText(const QString& text)
{
    if (text == text_) return;
    text_ = text;
    emit textChanged();
}

} // namespace kavo
