#include "cli/CliUi.h"

#include <algorithm>
#include <cstdio>

#include "cli/TerminalProgress.h"
#include "document/LayerDialogModel.h"

void PrintError(const std::string& text) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::fprintf(stderr, "orvelle-cli: %s\n", line.c_str());
}

void PrintDroppedEntities(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        PrintError("dropped: " + line);
    }
}

void PrintDrawingAccount(const std::vector<std::string>& notRead, const std::string& suggestedUnit) {
    for (const std::string& line : notRead) {
        PrintError(line);
    }
    if (!suggestedUnit.empty()) {
        PrintError(suggestedUnit);
    }
}

void CliUi::message(const std::string& text) {
    ++messagesShown;
    PrintError(text);
}

std::optional<std::string> CliUi::chooseOpenFile(const std::string&, const std::string&) {
    if (openFileAnswers.empty()) {
        return std::nullopt;
    }
    std::string path = openFileAnswers.front();
    openFileAnswers.pop_front();
    return path;
}

bool CliUi::askYesNo(const std::string& text) {
    const auto answer = answers.find(text);
    const bool yes = answer != answers.end() && answer->second;
    if (!yes) {
        PrintError(text + " No.");
    }
    return yes;
}

bool CliUi::chooseLayerRoles(LayerDialogModel& model) {
    unknownLayers.clear();
    if (roleOfOtherLayers) {
        for (LayerRole& role : model.table.roles) {
            role = *roleOfOtherLayers;
        }
    }
    for (const auto& [name, role] : roleOverrides) {
        const auto found = std::find(model.table.names.begin(), model.table.names.end(), name);
        if (found == model.table.names.end()) {
            unknownLayers.push_back(name);
            continue;
        }
        model.table.roles[static_cast<size_t>(found - model.table.names.begin())] = role;
    }
    lastLayerTable = model.table;
    model.readAllEntities = readAllEntities;
    model.boundaryMayBeMissing = boundaryMayBeMissing;
    if (!unknownLayers.empty()) {
        PrintError("The drawing has no layer named \"" + unknownLayers.front() + "\"");
        return false;
    }
    if (!AcceptLayerChoice(model, *this)) {
        return false;
    }
    // What the dialog would list: the entities the import is about to drop.
    PrintDroppedEntities(DroppedEntityLines(model));
    // The suggested unit is told by the layers command; an import keeps the user's unit.
    PrintDrawingAccount(NotReadLines(model), {});
    return true;
}

bool CliUi::runProgressDialog(LongTask& task) {
    TerminalProgress progress;
    return RunTaskInline(task, progress);
}
