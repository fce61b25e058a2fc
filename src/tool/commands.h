#pragma once

#include "database/database_mgr.h"
#include "tool/tool_support.h"

#include <memory>

// The tool's commands; each returns its exit code or throws Tool::TUsageError or Tool::TFailure.
namespace Tool {

int List(const TArguments& arguments);
int Info(const TArguments& arguments);
int Find(const TArguments& arguments);
int Convert(const TArguments& arguments);
int Merge(const TArguments& arguments);
int Render(const TArguments& arguments);

// The database in the file, read only; nothing is created where there is none.
std::unique_ptr<TDatabaseMgr> ReadDatabase(const std::string& fileName);
// The stations of a file through the filter that claims it, with the log on the error output;
// empty when the run failed. A file in which the filter found nothing to report on is a failure
// that says so.
std::vector<TDiagramData> ImportSource(const std::string& fileName);

} // namespace Tool
