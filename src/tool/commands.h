#pragma once

#include "database/database_mgr.h"
#include "tool/tool_support.h"

#include <memory>
#include <set>

// The tool's commands; each returns its exit code or throws Tool::TUsageError or Tool::TFailure.
namespace Tool {

int List(const TArguments& arguments);
int Info(const TArguments& arguments);
int Find(const TArguments& arguments);
int Convert(const TArguments& arguments);
int Merge(const TArguments& arguments);
int Render(const TArguments& arguments);
int Map(const TArguments& arguments);

// The database in the file, read only; nothing is created where there is none.
std::unique_ptr<TDatabaseMgr> ReadDatabase(const std::string& fileName);
// The stations of the files, each through the filter that claims it, with one log on the error
// output; empty when the run failed. Files in which the filters found nothing to report on are a
// failure that says so. Stations of the WMO climate normals with one of the skipped WMO numbers
// are left out; then every file must be one of the normals.
std::vector<TDiagramData> ImportSources(const std::vector<std::string>& fileNames,
                                        const std::set<std::string>& skippedWmoNumbers = {});

} // namespace Tool
