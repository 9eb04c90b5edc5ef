#include "voicelib/trial_group.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QUORL_HAVE_AVX2_PATH 1
#endif

namespace quorl::vq4 {

namespace {
bool vectorTrialsEnabled = true;
}

void setVectorTrialsEnabled(bool enabled) {
    vectorTrialsEnabled = enabled;
}

#ifdef QUORL_HAVE_AVX2_PATH

namespace {

constexpr std::uint64_t kPastBound = UINT64_MAX;

// One half of the group: eight lanes in one register each for x1, x2, index.
struct Half {
    __m256i x1, x2, index;
    __m256i quarter2, eighth2; // per lane K2 weights (masks)
    __m256i adaptBase;         // sub-table * 16
    __m256i errLo, errHi;      // 64-bit error sums of lanes 0-3 and 4-7
};

template <int W>
[[gnu::target("avx2")]] inline __m256i step(Half& h, __m256i vi, const int* steps, const int* adapt,
                                            __m256i whole, __m256i quarter1, __m256i eighth1,
                                            __m256i minusHalf, __m256i ub, __m256i& reconOut) {
    const __m256i a = h.x1;
    const __m256i b = h.x2;
    const __m256i p1 =
        _mm256_add_epi32(_mm256_add_epi32(_mm256_and_si256(a, whole),
                                          _mm256_andnot_si256(whole, _mm256_srai_epi32(a, 1))),
                         _mm256_add_epi32(_mm256_and_si256(_mm256_srai_epi32(a, 2), quarter1),
                                          _mm256_and_si256(_mm256_srai_epi32(a, 3), eighth1)));
    const __m256i p2 =
        _mm256_add_epi32(_mm256_sub_epi32(_mm256_setzero_si256(),
                                          _mm256_and_si256(_mm256_srai_epi32(b, 1), minusHalf)),
                         _mm256_add_epi32(_mm256_and_si256(_mm256_srai_epi32(b, 2), h.quarter2),
                                          _mm256_and_si256(_mm256_srai_epi32(b, 3), h.eighth2)));
    const __m256i lo = _mm256_set1_epi32(-8192);
    const __m256i hi = _mm256_set1_epi32(8191);
    const __m256i prediction = _mm256_min_epi32(_mm256_max_epi32(_mm256_add_epi32(p1, p2), lo), hi);
    __m256i d = _mm256_sub_epi32(vi, prediction);
    const __m256i negative = _mm256_srai_epi32(d, 31);
    d = _mm256_sub_epi32(_mm256_xor_si256(d, negative), negative);
    const __m256i one = _mm256_set1_epi32(1);
    __m256i code = _mm256_slli_epi32(_mm256_and_si256(negative, one), W - 1);
    __m256i st = _mm256_i32gather_epi32(steps, h.index, 4);
    __m256i delta = _mm256_setzero_si256();
#pragma GCC unroll 4
    for (int bit = W - 2; bit >= 0; --bit) {
        // d >= step
        const __m256i take = _mm256_cmpgt_epi32(d, _mm256_sub_epi32(st, one));
        code = _mm256_or_si256(code, _mm256_slli_epi32(_mm256_and_si256(take, one), bit));
        const __m256i taken = _mm256_and_si256(st, take);
        d = _mm256_sub_epi32(d, taken);
        delta = _mm256_add_epi32(delta, taken);
        st = _mm256_srai_epi32(st, 1);
    }
    delta = _mm256_add_epi32(delta, st);
    delta = _mm256_sub_epi32(_mm256_xor_si256(delta, negative), negative);
    const __m256i r =
        _mm256_min_epi32(_mm256_max_epi32(_mm256_add_epi32(prediction, delta), lo), hi);
    const __m256i e = _mm256_sub_epi32(vi, r);
    const __m256i e2 = _mm256_mullo_epi32(e, e);
    h.errLo = _mm256_add_epi64(h.errLo, _mm256_cvtepu32_epi64(_mm256_castsi256_si128(e2)));
    h.errHi = _mm256_add_epi64(h.errHi, _mm256_cvtepu32_epi64(_mm256_extracti128_si256(e2, 1)));
    h.x2 = a;
    h.x1 = r;
    const __m256i mag = _mm256_and_si256(code, _mm256_set1_epi32((1 << (W - 1)) - 1));
    const __m256i adaptStep = _mm256_i32gather_epi32(adapt, _mm256_add_epi32(h.adaptBase, mag), 4);
    h.index = _mm256_min_epi32(
        _mm256_max_epi32(_mm256_add_epi32(h.index, adaptStep), _mm256_setzero_si256()), ub);
    reconOut = r;
    return code;
}

// Whether every lane of the half is past the bound (bound below 2^63).
[[gnu::target("avx2")]] inline bool allPast(const Half& h, __m256i bound) {
    const __m256i a = _mm256_cmpgt_epi64(h.errLo, bound);
    const __m256i b = _mm256_cmpgt_epi64(h.errHi, bound);
    return _mm256_movemask_epi8(_mm256_and_si256(a, b)) == -1;
}

template <int W>
[[gnu::target("avx2")]] void runGroup(const AdpcmState& start, int k1, int k2Base, int ubValue,
                                      const int* v, int count, std::uint64_t bound,
                                      TrialGroupOut& out) {
    alignas(32) int adapt[4 * 16] = {};
    for (int sub = 0; sub < 4; ++sub)
        for (int m = 0; m < (1 << (W - 1)); ++m)
            adapt[sub * 16 + m] = adaptTable(W, sub)[m];
    const int* steps = stepTable().data();
    const __m256i whole = _mm256_set1_epi32(k1 >= 4 ? -1 : 0);
    const __m256i quarter1 = _mm256_set1_epi32((k1 & 2) ? -1 : 0);
    const __m256i eighth1 = _mm256_set1_epi32((k1 & 1) ? -1 : 0);
    const __m256i minusHalf = _mm256_set1_epi32(k2Base < 4 ? -1 : 0);
    const __m256i ub = _mm256_set1_epi32(ubValue);
    Half h[2];
    for (int half = 0; half < 2; ++half) {
        alignas(32) int q2[8], e2[8], base[8];
        for (int lane = 0; lane < 8; ++lane) {
            const int g = half * 8 + lane;
            const int k2 = k2Base + g / 4;
            q2[lane] = (k2 & 2) ? -1 : 0;
            e2[lane] = (k2 & 1) ? -1 : 0;
            base[lane] = (g & 3) * 16;
        }
        h[half].x1 = _mm256_set1_epi32(start.x1);
        h[half].x2 = _mm256_set1_epi32(start.x2);
        h[half].index = _mm256_set1_epi32(start.index);
        h[half].quarter2 = _mm256_load_si256(reinterpret_cast<const __m256i*>(q2));
        h[half].eighth2 = _mm256_load_si256(reinterpret_cast<const __m256i*>(e2));
        h[half].adaptBase = _mm256_load_si256(reinterpret_cast<const __m256i*>(base));
        h[half].errLo = _mm256_setzero_si256();
        h[half].errHi = _mm256_setzero_si256();
    }
    const bool canStop = bound < (std::uint64_t{1} << 63);
    const __m256i boundV = _mm256_set1_epi64x(static_cast<long long>(canStop ? bound : 0));
    for (int i = 0; i < count; ++i) {
        const __m256i vi = _mm256_set1_epi32(v[i]);
        auto* codes = out.codes[static_cast<std::size_t>(i)].data();
        auto* recon = out.recon[static_cast<std::size_t>(i)].data();
        __m256i r0, r1;
        const __m256i c0 =
            step<W>(h[0], vi, steps, adapt, whole, quarter1, eighth1, minusHalf, ub, r0);
        const __m256i c1 =
            step<W>(h[1], vi, steps, adapt, whole, quarter1, eighth1, minusHalf, ub, r1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(codes), c0);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(codes + 8), c1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(recon), r0);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(recon + 8), r1);
        if (canStop && (i & 7) == 7 && allPast(h[0], boundV) && allPast(h[1], boundV))
            break;
    }
    for (int half = 0; half < 2; ++half) {
        alignas(32) std::uint64_t err[8];
        alignas(32) int x1[8], x2[8], index[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(err), h[half].errLo);
        _mm256_store_si256(reinterpret_cast<__m256i*>(err + 4), h[half].errHi);
        _mm256_store_si256(reinterpret_cast<__m256i*>(x1), h[half].x1);
        _mm256_store_si256(reinterpret_cast<__m256i*>(x2), h[half].x2);
        _mm256_store_si256(reinterpret_cast<__m256i*>(index), h[half].index);
        for (int lane = 0; lane < 8; ++lane) {
            const auto g = static_cast<std::size_t>(half * 8 + lane);
            out.error[g] = err[lane] <= bound ? err[lane] : kPastBound;
            out.x1[g] = x1[lane];
            out.x2[g] = x2[lane];
            out.index[g] = index[lane];
        }
    }
}

} // namespace

bool runTrialGroupAvx2(int width, const AdpcmState& start, int k1, int k2Base, int ub, const int* v,
                       int count, std::uint64_t bound, TrialGroupOut& out) {
    static const bool available = __builtin_cpu_supports("avx2");
    if (!available || !vectorTrialsEnabled)
        return false;
    switch (width) {
    case 2:
        runGroup<2>(start, k1, k2Base, ub, v, count, bound, out);
        break;
    case 3:
        runGroup<3>(start, k1, k2Base, ub, v, count, bound, out);
        break;
    case 4:
        runGroup<4>(start, k1, k2Base, ub, v, count, bound, out);
        break;
    default:
        runGroup<5>(start, k1, k2Base, ub, v, count, bound, out);
        break;
    }
    return true;
}

#else

bool runTrialGroupAvx2(int, const AdpcmState&, int, int, int, const int*, int, std::uint64_t,
                       TrialGroupOut&) {
    return false;
}

#endif

} // namespace quorl::vq4
