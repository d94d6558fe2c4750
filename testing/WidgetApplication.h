#pragma once
// The one QApplication a widget test program needs.

#include "testing/CoreApplication.h"

#include <QApplication>

namespace horvane::test_support {

inline QApplication& TestApplication() {
    return MadeOnce<QApplication>();
}

// The application on the offscreen platform unless QT_QPA_PLATFORM names another: for the
// programs that CTest does not start with that setting (the benchmarks).
inline QApplication& OffscreenApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return TestApplication();
}

} // namespace horvane::test_support
