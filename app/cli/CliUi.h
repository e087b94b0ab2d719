// The document's UI port without a user: messages go to stderr, questions are answered by the
// command line's options, and the layer dialog takes the roles given with --role.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "document/DocumentUi.h"

class CliUi : public DocumentUi {
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
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    void redrawAll() override {}
    void setTitle(const std::string&) override {}
    void setWaitCursor(bool) override {}
    void progressBegin(const std::string&, int, int) override {}
    void progressSet(int) override {}
    void progressEnd() override {}
    bool chooseLayerRoles(LayerDialogModel& model) override;
};

// Prints a message on one line of stderr, its line breaks as spaces.
void printError(const std::string& text);
