#pragma once
// Qt's own frames have no exception cleanups, so an exception must never leave an event
// handler into Qt: the objects of the frames it would cross (the event's copies among them)
// would never be destroyed. Every handler that Qt calls runs through RunHandler, which
// catches at the handler's edge and hands the error to the program's error sink (the
// application shows it and ends the run). Without a sink, as where tests call handlers
// directly, the error goes on to the caller.

#include <exception>
#include <functional>
#include <utility>

namespace horvane {

using HandlerErrorSink = std::function<void(std::exception_ptr)>;

// Where errors caught at a handler's edge go; an empty sink lets them go on.
void SetHandlerErrorSink(HandlerErrorSink sink);

// Hands the error to the sink, or rethrows it when there is none.
void ReportHandlerError(std::exception_ptr error);

template <class Handler> void RunHandler(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        ReportHandlerError(std::current_exception());
    }
}

// The handler wrapped for connect(): a slot that runs it through RunHandler.
template <class Handler> auto Guarded(Handler handler) {
    return [handler = std::move(handler)]() mutable { RunHandler(handler); };
}

} // namespace horvane
