#include "platform/ui/HandlerGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace horvane {
namespace {

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return caught.what();
    }
}

// With a sink the error stops at the handler's edge, so it never travels into Qt's frames.
TEST(HandlerGuard, HandsAnErrorToTheSinkAndGoesNoFurther) {
    std::string reported;
    SetHandlerErrorSink([&](std::exception_ptr error) { reported = MessageOf(error); });
    auto slot = Guarded([] { throw std::runtime_error("hive damaged"); });
    EXPECT_NO_THROW(slot());
    SetHandlerErrorSink(nullptr);
    EXPECT_EQ(reported, "hive damaged");
}

TEST(HandlerGuard, WithoutASinkTheErrorGoesOnToTheCaller) {
    SetHandlerErrorSink(nullptr);
    EXPECT_THROW(RunHandler([] { throw std::runtime_error("hive damaged"); }), std::runtime_error);
}

} // namespace
} // namespace horvane
