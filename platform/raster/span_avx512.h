#pragma once
// The sixteen-pixel span loops, built for AVX-512 where the compiler can target it apart from
// the rest (GCC, optimised x86-64 builds).
#include "platform/raster/pipeline.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__OPTIMIZE__)
#define QORV_AVX512_SPANS 1
#else
#define QORV_AVX512_SPANS 0
#endif

namespace platform::raster {

// The loop for these states when the processor has AVX-512 (F, BW, VL, DQ) and the states have
// one (blends with fixed factors); null otherwise.
SpanFn select_span_avx512(TexMode tex, bool fog, BlendKind blend, bool z_write);

}  // namespace platform::raster
