// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/relative_time_text.h"

#include <QCoreApplication>

namespace kavo {

QString relativeTimeText(const screens::RelativeTime& time)
{
    using Unit = screens::RelativeTime::Unit;
    // Under a week, so the count always fits.
    const int count = static_cast<int>(time.count);
    switch (time.unit) {
    case Unit::justNow:
        //: Under a minute since a recently viewed link was opened.
        return QCoreApplication::translate("RelativeTime", "Just now");
    case Unit::minutes:
        //: Minutes since a recently viewed link was opened; a short label under its name.
        return QCoreApplication::translate("RelativeTime", "%nm ago", nullptr, count);
    case Unit::hours:
        //: Hours since a recently viewed link was opened.
        return QCoreApplication::translate("RelativeTime", "%nh ago", nullptr, count);
    case Unit::days:
        //: Days since a recently viewed link was opened (1 to 6).
        return QCoreApplication::translate("RelativeTime", "%nd ago", nullptr, count);
    case Unit::date: break;
    }
    return QString::fromStdString(time.date);
}

} // namespace kavo
