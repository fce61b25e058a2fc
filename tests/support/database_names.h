#pragma once

#include "database/database_mgr.h"
#include "model/windows1252.h"

#include <string>
#include <vector>

// The names of a database's stations in list order, in UTF-8.
inline std::vector<std::string> Names(const TDatabaseMgr& database) {
    std::vector<std::string> names;
    for (int i = 0; i < database.Count(); ++i)
        names.push_back(Windows1252::ToUtf8(database.RecordAt(i).Place().Name()));
    return names;
}
