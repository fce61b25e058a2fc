#pragma once

#include <string>
#include <string_view>

// Folds a Windows-1252 name for comparing and searching: accented letters are spelled out
// (Ä -> "ae", ß -> "ss", É -> "e") and A to Z lower-cased, so that München and Muenchen agree.
std::string FoldName(std::string_view name);
