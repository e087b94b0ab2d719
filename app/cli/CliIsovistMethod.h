// The isovist methods by their command-line names, one table for every subcommand's --method.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The accepted --method names, in the order of the stored method values.
const std::vector<std::string>& IsovistMethodNames();
// The help text of --method.
const std::string& IsovistMethodHelp();
// The stored method value of an accepted name; the exact node method for any other text.
int32_t IsovistMethodOfName(const std::string& name);
// The name of a stored method value; "exact" for a value outside the table.
std::string IsovistMethodName(int32_t method);
