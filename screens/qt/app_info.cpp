// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/app_info.h"

#include <utility>

namespace kavo {

AppInfo::AppInfo(const QUrl& siteBaseUrl, QString version, QObject* parent)
    : QObject(parent), siteHost_(siteBaseUrl.host()), version_(std::move(version))
{
    QUrl root = siteBaseUrl.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!root.path().endsWith(QLatin1Char('/'))) root.setPath(root.path() + QLatin1Char('/'));
    siteUrl_ = root.toString(QUrl::FullyEncoded);
}

} // namespace kavo
