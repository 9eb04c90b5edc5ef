#pragma once

#include "voicelib/codec_types.h"

#include <benchmark/benchmark.h>

// One run per compression type the voice library knows, from its own table, so a
// benchmark never misses a type or names one that does not exist.
inline void everyCompressionType(benchmark::internal::Benchmark* b) {
    b->ArgName("type");
    for (int type = 0; type < 32; ++type)
        if (quorl::vq4::codecInfo(type))
            b->Arg(type);
}
