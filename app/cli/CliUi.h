// The document's UI port without a user: messages go to stderr, questions are answered by the
// command line's options, and the layer dialog takes the roles given with --role.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/DocumentUi.h"

class CliUi : public HeadlessDocumentUi {
  public:
    // Answers by question text; questions not listed are answered No.
    std::map<std::string, bool> answers;
    // Roles by layer name, applied over the automatic choice when the layer dialog opens.
    std::map<std::string, LayerRole> roleOverrides;
    // The layer table as the dialog last showed it (after the overrides).
    LayerTable lastLayerTable;
    // Layers named in roleOverrides that the drawing does not have.
    std::vector<std::string> unknownLayers;

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool chooseLayerRoles(LayerDialogModel& model) override;
    // Runs at once (as if "Start" and then OK were pressed), with a progress bar on a terminal.
    bool runProgressDialog(LongTask& task) override;
};

// Prints a message on one line of stderr, its line breaks as spaces.
void printError(const std::string& text);
// Prints each line of the import's dropped-entity account as "dropped: LINE" on stderr.
void printDroppedEntities(const std::vector<std::string>& lines);
