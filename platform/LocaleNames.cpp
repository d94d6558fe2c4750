#include "platform/LocaleNames.h"

#include <QLocale>

namespace horvane {

LocaleNames UserLocaleNames() {
    const QLocale locale = QLocale::system();
    LocaleNames names;
    // QLocale counts days Monday = 1 .. Sunday = 7.
    for (int day = 0; day < 7; ++day)
        names.days[day] = locale.dayName(day == 0 ? 7 : day, QLocale::ShortFormat).toStdString();
    for (int month = 0; month < 12; ++month)
        names.months[month] = locale.monthName(month + 1, QLocale::ShortFormat).toStdString();
    return names;
}

LocaleNames EnglishLocaleNames() {
    return {{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
            {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}};
}

} // namespace horvane
