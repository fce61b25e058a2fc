#pragma once

#include <string>

// Converts text of the DOS code page 850, as the oldest station files hold it, to Windows-1252.
// Line and block drawing characters, which Windows-1252 lacks, become "+", "-", "|" and "#".
std::string Cp850ToWindows1252(std::string text);
