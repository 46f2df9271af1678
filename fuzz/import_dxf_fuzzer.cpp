// libFuzzer target over the DXF import: any byte string is refused with a reason or read into
// footprints that build and apply cleanly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/dxf_adapter.h"
#include "fuzz/import_fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImportSource source;
    std::string error;
    if (!ParseDxf(data, size, &source, &error)) {
        if (error.empty())
            abort();  // a refusal must say why
        return 0;
    }
    CheckImport(source);
    return 0;
}
