#include "digest/processor_tuning.h"

namespace tessik {
namespace {

struct TuningRow {
    CpuVendor vendor;
    int firstFamily;
    int lastFamily;
    ProcessorTuning tuning;
};

// Each row from measurements on one processor of its kind; later families are taken to behave
// like the latest one measured.
constexpr TuningRow kRows[] = {
    // Ice Lake server: the vector MD steps take three or four cycles where the scalar ones take
    // four or five, and the read-ahead thread hid the copy out of the shared cache.
    {CpuVendor::kIntel, 0, 0xff, {true, FileRoute::kReadAhead, FileRoute::kReadAhead}},
    // Zen and Zen 2 (no AVX-512): a second thread's reads cost the hashing core more in moving
    // lines between the cores' caches than the copy it saved; mapping saved the copy.
    {CpuVendor::kAmd, 0x17, 0x18, {false, FileRoute::kMap, FileRoute::kMap}},
    // Zen 4: a vector rotate takes two cycles, so the vector MD steps lose to the scalar ones.
    // With the cores sharing their last cache, the read-ahead thread leaves the hashing thread
    // the engine's own work; mapping costs it about 0.15 s per GiB, reading 0.22. An engine that
    // outruns reading waits for that thread whatever it does: helpers that map and fill the
    // page tables ahead of it spread that work over both cores.
    {CpuVendor::kAmd, 0x19, 0xff, {false, FileRoute::kReadAhead, FileRoute::kMapAhead}},
};

}  // namespace

ProcessorTuning TuningFor(const ProcessorKind& kind) {
    for (const TuningRow& row : kRows) {
        if (row.vendor == kind.vendor && kind.family >= row.firstFamily &&
            kind.family <= row.lastFamily) {
            return row.tuning;
        }
    }
    return {};
}

const ProcessorTuning& ThisProcessorTuning() {
    static const ProcessorTuning tuning = TuningFor(DetectedProcessorKind());
    return tuning;
}

}  // namespace tessik
