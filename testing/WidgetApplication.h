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

} // namespace horvane::test_support
