#pragma once

#include <QFunctionPointer>

namespace quorl {

// An entry point of the sound module (libquorl_wave_sink.so), loaded once and kept
// for the life of the program (what it makes may outlive any one window); null when
// the module or the entry point is missing.
QFunctionPointer soundModuleEntry(const char* name);

} // namespace quorl
