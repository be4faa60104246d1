#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; a failure stops the run so libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Each target's own checks, which libFuzzer's entry point below runs on every input (its bytes,
// not copied: they live for the call only).
void checkInput(const QByteArray &bytes);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    checkInput(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
