// What the desktop program is asked to do by its command line: start with a new document, open
// a document, import a drawing, or write an image of a document without showing a window.
//
//   orvelle [DOC.ovx | PLAN.dxf]
//   orvelle --export-image OUT.png|OUT.svg DOC.ovx [--size W,H] [--fit]
#pragma once

#include <string>
#include <vector>

struct StartRequest {
    enum class Kind { NewDocument, OpenDocument, ImportDrawing, ExportImage, Help, Error };
    Kind kind = Kind::NewDocument;
    std::string path;    // the document or drawing
    std::string output;  // the image file (ExportImage)
    int width = 1024;
    int height = 768;
    bool fit = false;   // fit the plan into the image instead of the document's saved view
    std::string error;  // one line (Error)
};

// `arguments` without the program's name.
StartRequest ParseStartArguments(const std::vector<std::string>& arguments);

// The usage text printed for --help and after an error.
extern const char* const kStartUsage;

// True for a name ending in ".dxf", in any case.
bool IsDrawingFileName(const std::string& path);
