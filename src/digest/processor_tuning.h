#pragma once
// Where a processor could do the same work two ways, which one is faster on it. Features alone do
// not tell: the same instructions cost different amounts on different designs, so each row
// holds what was measured on that kind of processor.

#include "digest/cpu_features.h"
#include "digest/file_stream.h"

namespace tessik {

struct ProcessorTuning {
    // MD4 and MD5 with each word in a vector register, where AVX-512 is there to do it, rather
    // than in general registers.
    bool vectorMdSteps = false;
    // How files of kLargeFileBytes and more are read.
    FileRoute largeFileRoute = FileRoute::kMap;
    // How they are read for engines that outrun reading, where reading alone sets the speed.
    FileRoute readBoundRoute = FileRoute::kMap;
};

ProcessorTuning TuningFor(const ProcessorKind& kind);

// This processor's, looked up once.
const ProcessorTuning& ThisProcessorTuning();

}  // namespace tessik
