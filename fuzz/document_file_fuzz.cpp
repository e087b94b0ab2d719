// Opens arbitrary bytes as a document file: through the container library's loader and the
// document reader, as the Open command does.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "document/DocumentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzscratch::Write("document.ovx", data, size);
    if (path.empty()) {
        return 0;
    }
    HeadlessDocumentUi ui;
    CORVDoc doc(ui);
    LoadDocumentFile(doc, path);
    return 0;
}
