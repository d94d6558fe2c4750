#include "platform/ui/HandlerGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace horvane;

// With a sink the error stops at the handler's edge, so it never travels into Qt's frames;
// without one, as where tests call handlers directly, it goes on to the caller.
TEST(HandlerGuard, HandsAnErrorToTheSinkOrWithoutOneToTheCaller) {
    const auto fail = [] { throw std::invalid_argument("hive damaged"); };
    std::exception_ptr reported;
    SetHandlerErrorSink([&](std::exception_ptr error) { reported = error; });
    EXPECT_NO_THROW(Guarded(fail)());
    SetHandlerErrorSink(nullptr);
    ASSERT_TRUE(reported);
    EXPECT_THROW(std::rethrow_exception(reported), std::invalid_argument);
    EXPECT_THROW(RunHandler(fail), std::invalid_argument);
}
