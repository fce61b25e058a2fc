#pragma once

#include "tool/tool_support.h"

// The tool's commands; each returns its exit code or throws Tool::TUsageError or Tool::TFailure.
namespace Tool {

int List(const TArguments& arguments);
int Info(const TArguments& arguments);
int Find(const TArguments& arguments);
int Convert(const TArguments& arguments);
int Merge(const TArguments& arguments);

} // namespace Tool
