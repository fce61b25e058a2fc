#include "config/tvx_config.h"

#include <filesystem>

TTvxConfig::TTvxConfig() {
    std::error_code error;
    ProgramPath = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const auto slash = ProgramPath.find_last_of('/');
    if (slash != std::string::npos)
        ProgramDir = ProgramPath.substr(0, slash + 1);
}

TTvxConfig::TTable TTvxConfig::Table() const {
    if (TableComplete)
        return TTable::Complete;
    if (TableMonthlyOnly)
        return TTable::MonthlyOnly;
    if (TableWithoutValues)
        return TTable::WithoutValues;
    return TTable::None;
}
