#include "platform/ui/HandlerGuard.h"

namespace horvane {

namespace {

HandlerErrorSink& Sink() {
    static HandlerErrorSink sink;
    return sink;
}

} // namespace

void SetHandlerErrorSink(HandlerErrorSink sink) {
    Sink() = std::move(sink);
}

void ReportHandlerError(std::exception_ptr error) {
    if (!Sink())
        std::rethrow_exception(error);
    Sink()(error);
}

} // namespace horvane
