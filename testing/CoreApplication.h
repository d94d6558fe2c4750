#pragma once
// The one QCoreApplication of a test program that needs an event loop and no widget, made on
// first use and kept to the end.

#include <QCoreApplication>

namespace horvane::test_support {

inline QCoreApplication& CoreTestApplication() {
    static int argc = 1;
    static char name[] = "horvane-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

} // namespace horvane::test_support
