#pragma once
// One action of the user written to the store as a single change.

#include <functional>

namespace horvane {

// Runs the store writes of one action of the user (a place saved, the settings) as one
// transaction of the user hive: all of them land or none does, also when the process is
// killed on the way. An error raised by the writes undoes them all and passes on; a change
// that cannot begin (the hive busy past the wait, or not to be opened) or commit raises
// kRegistrySetValueError with the hive's cause, and writes nothing. Inside a change already
// begun the writes simply join it.
void WriteAsOneChange(const std::function<void()>& writes);

} // namespace horvane
