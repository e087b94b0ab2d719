// Loads arbitrary bytes as a document file; a document that opens is saved, the saved file
// loaded again and saved once more. The two saved files must be byte for byte the same (the
// writer is deterministic, so any difference is something the reader lost or changed), and
// the command line's summary of the document runs on each.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzScratch.h"
#include "cli/CliCommands.h"
#include "document/DocumentFile.h"

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FILE* Discard() {
    static FILE* sink = std::fopen("/dev/null", "w");
    return sink;
}

// Saves the document to `path` and loads that file into a fresh document; aborts when either
// fails, since a document that opened must survive its own save.
void SaveAndReload(const CORVDoc& doc, const std::string& path, CORVDoc& reloaded) {
    if (!SaveDocumentFile(doc, path).ok || !LoadDocumentFile(reloaded, path).ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzzscratch::Write("input.ovx", data, size);
    if (input.empty()) {
        return 0;
    }
    HeadlessDocumentUi ui;
    CORVDoc doc(ui);
    if (!LoadDocumentFile(doc, input).ok) {
        return 0;
    }
    if (FILE* sink = Discard()) {
        RunInfo(input, sink);
    }
    const std::string first = fuzzscratch::Path("first.ovx");
    const std::string second = fuzzscratch::Path("second.ovx");
    CORVDoc reloaded(ui);
    SaveAndReload(doc, first, reloaded);
    CORVDoc again(ui);
    SaveAndReload(reloaded, second, again);
    if (Contents(first) != Contents(second)) {
        std::abort();
    }
    if (FILE* sink = Discard()) {
        RunInfo(second, sink);
    }
    return 0;
}
