#include "exchange/import_source.h"

void CountSkipped(ImportSource* source, const std::string& kind) {
    for (SkippedCount& skipped : source->skipped)
        if (skipped.kind == kind) {
            skipped.count++;
            return;
        }
    source->skipped.push_back({kind, 1});
}
