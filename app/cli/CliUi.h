// The document's UI port without a user: messages go to stderr, questions are answered by the
// command line's options, and the layer dialog takes the roles given with --role.
#pragma once

#include <deque>
#include <map>
#include <optional>
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
    // When set, the layer dialog gives this role to every layer not in roleOverrides.
    std::optional<LayerRole> roleOfOtherLayers;
    // The files the open-file dialog answers, in order; cancelled once they are used up.
    std::deque<std::string> openFileAnswers;
    // How many messages were shown, so that a caller can tell whether a command complained.
    int messagesShown = 0;
    // The layer dialog's check box "Read arcs, old-style polylines and blocks".
    bool readAllEntities = false;
    // Lets a full import pass without a Boundary layer (when the answers make a boundary).
    bool boundaryMayBeMissing = false;

    void message(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter,
                                              const std::string& defaultExt) override;
    bool askYesNo(const std::string& text) override;
    bool chooseLayerRoles(LayerDialogModel& model) override;
    // Runs at once (as if "Start" and then OK were pressed), with a progress bar on a terminal.
    bool runProgressDialog(LongTask& task) override;
};

// Prints a message on one line of stderr, its line breaks as spaces.
void PrintError(const std::string& text);
// Prints each line of the import's dropped-entity account as "dropped: LINE" on stderr.
void PrintDroppedEntities(const std::vector<std::string>& lines);
// Prints the account of what a drawing holds that is not read and its suggested unit.
void PrintDrawingAccount(const std::vector<std::string>& notRead, const std::string& suggestedUnit);
