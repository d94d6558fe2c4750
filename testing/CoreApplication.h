#pragma once
// The one application object of a test program, made on first use and kept to the end:
// destroyed among the other statics at exit, it would outlive parts of Qt it needs.

#include <QCoreApplication>

namespace horvane::test_support {

template <class Application> Application& MadeOnce() {
    static int argc = 1;
    static char name[] = "horvane-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new Application(argc, argv);
    return *application;
}

// For the programs that need an event loop and no widget.
inline QCoreApplication& CoreTestApplication() {
    return MadeOnce<QCoreApplication>();
}

} // namespace horvane::test_support
