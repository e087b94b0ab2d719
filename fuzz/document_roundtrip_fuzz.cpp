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

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FILE* discard() {
    static FILE* sink = std::fopen("/dev/null", "w");
    return sink;
}

// Saves the document to `path` and loads that file into a fresh document; aborts when either
// fails, since a document that opened must survive its own save.
void saveAndReload(const CORVDoc& doc, const std::string& path, CORVDoc& reloaded) {
    if (!saveDocumentFile(doc, path).ok || !loadDocumentFile(reloaded, path).ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzzscratch::write("input.ovx", data, size);
    if (input.empty()) {
        return 0;
    }
    HeadlessDocumentUi ui;
    CORVDoc doc(ui);
    if (!loadDocumentFile(doc, input).ok) {
        return 0;
    }
    if (FILE* sink = discard()) {
        runInfo(input, sink);
    }
    const std::string first = fuzzscratch::path("first.ovx");
    const std::string second = fuzzscratch::path("second.ovx");
    CORVDoc reloaded(ui);
    saveAndReload(doc, first, reloaded);
    CORVDoc again(ui);
    saveAndReload(reloaded, second, again);
    if (contents(first) != contents(second)) {
        std::abort();
    }
    if (FILE* sink = discard()) {
        runInfo(second, sink);
    }
    return 0;
}
