#include "convert/tvx_db_converter.h"

#include "convert/converter_manager.h"
#include "convert/export_file.h"
#include "database/database_mgr.h"

namespace {
const ConverterRegistration<TvxDBConverter> Registration;
} // namespace

bool TvxDBConverter::CanImport(const std::string& fileName) const {
    try {
        TDatabaseMgr::ReadOnly(fileName);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<TDiagramData> TvxDBConverter::Import(const std::string& fileName,
                                                 ConverterLog& log) const {
    try {
        const auto database = TDatabaseMgr::ReadOnly(fileName);
        for (int i = 0; i < database->Count(); ++i)
            log.Accepted();
        return database->CopyOut();
    } catch (const TDatabaseMgr::TXBase& error) {
        log.Error(error.what());
        return {};
    }
}

void TvxDBConverter::Export(const std::string& fileName, ConverterLog& log,
                            const std::vector<TDiagramData>& records) const {
    int stored = 0;
    try {
        // Collected apart and written in one safe step: a failed export leaves the old file.
        TDatabaseMgr database("", false, false);
        database.MergeList(records, nullptr);
        stored = database.Count();
        database.SaveCopy(fileName);
    } catch (const TDatabaseMgr::TXBase& error) {
        ExportFile::ReportFailure(log, error.what());
        return;
    }
    for (int i = 0; i < stored; ++i)
        log.Accepted();
    for (std::size_t missing = static_cast<std::size_t>(stored); missing < records.size();
         ++missing)
        log.Error("unbekannte Ursache");
}
