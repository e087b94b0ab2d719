// The isovist methods by their command-line names, one table for every subcommand's --method.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The accepted --method names, in the order of the stored method values.
const std::vector<std::string>& isovistMethodNames();
// The help text of --method.
const std::string& isovistMethodHelp();
// The stored method value of an accepted name; the exact node method for any other text.
int32_t isovistMethodOfName(const std::string& name);
// The name of a stored method value; "exact" for a value outside the table.
std::string isovistMethodName(int32_t method);
