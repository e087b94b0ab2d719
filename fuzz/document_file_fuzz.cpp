// Opens arbitrary bytes as a document file: through the container library's loader and the
// document reader, as the Open command does.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "document/DocumentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/orvelle_document_fuzz_" + std::to_string(::getpid());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    HeadlessDocumentUi ui;
    CORVDoc doc(ui);
    loadDocumentFile(doc, path);
    return 0;
}
