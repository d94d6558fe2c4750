#pragma once
// The one QApplication a widget test program needs, made on first use and kept to the end:
// destroyed among the other statics at exit, it would outlive parts of Qt it needs.

#include <QApplication>

namespace horvane::test_support {

inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "horvane-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// The application on the offscreen platform unless QT_QPA_PLATFORM names another: for the
// programs that CTest does not start with that setting (the benchmarks).
inline QApplication& OffscreenApplication() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return TestApplication();
}

} // namespace horvane::test_support
