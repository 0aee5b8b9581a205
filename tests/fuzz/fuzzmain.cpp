// libFuzzer entry of one target, chosen when built (TESSALY_FUZZ_TARGET).
#include "fuzztargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FuzzTarget *const target = findFuzzTarget(TESSALY_FUZZ_TARGET);
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const QString failure = target->run(input);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", TESSALY_FUZZ_TARGET, qPrintable(failure));
        std::abort();
    }
    return 0;
}
