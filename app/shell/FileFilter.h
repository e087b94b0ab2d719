// File-dialog filters: the commands give them as "Description (*.ext)|*.ext|...||"; Qt wants a
// list of "Description (*.ext)" entries.
#pragma once

#include <string>
#include <vector>

// One entry per description/pattern pair, in order. A description that does not already show its
// pattern in parentheses gets it appended; pairs with an empty pattern are dropped.
std::vector<std::string> NameFiltersFromPipeList(const std::string& filter);
