#include "convert/converter_manager.h"
#include "convert/default_converter_log.h"
#include "database/database_mgr.h"
#include "support/old_records.h"
#include "support/recording_log.h"
#include "support/stream_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

Strings Descriptions(const std::vector<const Converter*>& converters) {
    Strings descriptions;
    for (const Converter* converter : converters)
        descriptions.push_back(converter->GetDescription());
    return descriptions;
}

TEST(ConverterRegistryTest, FiltersAreKeptInByteOrderOfTheirDescriptions) {
    const ConverterManager& manager = ConverterManager::Instance();
    EXPECT_EQ(Descriptions(manager.GetConverters()),
              (Strings{"Amtliche Klimanormalwerte (WMO)", "CSV (durch Semikola getrennte Liste)",
                       "Pelvanor-Datenbank", "Tabelle", "alte Pelvanor-Datenbank (V1)",
                       "alte Pelvanor-Datenbank (V2)"}));
    EXPECT_EQ(Descriptions(manager.GetExportConverters()),
              (Strings{"CSV (durch Semikola getrennte Liste)", "Pelvanor-Datenbank", "Tabelle"}));
    EXPECT_EQ(manager.Find("Tabelle")->GetExtension(), ".tab");
    EXPECT_EQ(manager.Find("tabelle"), nullptr);
}

// A filter that claims files by a fixed answer and counts how often it was asked.
class TFakeConverter : public Converter {
public:
    TFakeConverter(std::string description, bool claims)
        : Description(std::move(description)), Claims(claims) {}
    std::string GetDescription() const override { return Description; }
    bool CanImport(const std::string&) const override {
        ++Asked;
        return Claims;
    }
    bool CanExport() const override { return true; }
    std::string GetExtension() const override { return ".fk"; }
    std::vector<TDiagramData> Import(const std::string&, ConverterLog& log) const override {
        log.Warning("umbenannt");
        TDiagramData record;
        record.SetPlace(TDiagramData::TPlace("Eins"));
        return {record};
    }
    void Export(const std::string&, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override {
        for (const TDiagramData& record : records)
            log.Error(record.Place().Name() + ": kaputt");
    }

    mutable int Asked = 0;

private:
    std::string Description;
    bool Claims;
};

TEST(ConverterRegistryTest, SecondRegistrationOfADescriptionIsRefused) {
    ConverterManager manager;
    const TFakeConverter first("Zweifach", false);
    const TFakeConverter second("Zweifach", true);
    EXPECT_TRUE(manager.Register(&first));
    EXPECT_FALSE(manager.Register(&second));
    EXPECT_EQ(manager.GetConverters(), std::vector<const Converter*>{&first});
    manager.Unregister(&second); // the key goes, whichever object asks
    EXPECT_TRUE(manager.GetConverters().empty());
}

TEST(ConverterRegistryTest, ProbingStopsAtTheFirstFilterInKeyOrder) {
    ConverterManager manager;
    const TFakeConverter lower("b", true);
    const TFakeConverter upper("B", true);
    const TFakeConverter never("C", false);
    for (const TFakeConverter* converter : {&lower, &upper, &never})
        manager.Register(converter);
    EXPECT_EQ(manager.FindImportConverter("x"), &upper);
    EXPECT_EQ(never.Asked, 0);
    EXPECT_EQ(lower.Asked, 0);
}

class ProbingTest : public testing::Test {
protected:
    const Converter* Probe(const std::string& name, const std::string& bytes) {
        const std::string file = Dir.File(name);
        TTempDir::Write(file, bytes);
        const Converter* found = ConverterManager::Instance().FindImportConverter(file);
        return found;
    }
    static std::string Of(const Converter* converter) {
        return converter ? converter->GetDescription() : "(none)";
    }
    TTempDir Dir;
    const std::string Database = TStreamBytes().Header(0).Bytes;
    const std::string FirstGeneration = TOldRecord().Bytes(false);
    const std::string SecondGeneration = TOldRecord().Bytes(true);
};

TEST_F(ProbingTest, EachFileGoesToItsFilter) {
    EXPECT_EQ(Of(Probe("stationen.CSV", "")), "CSV (durch Semikola getrennte Liste)");
    EXPECT_EQ(Of(Probe("stationen.Tab", "")), "Tabelle");
    EXPECT_EQ(Of(Probe("irgendwas.dat", Database)), "Pelvanor-Datenbank");
    EXPECT_EQ(Of(Probe("Pelvanor.DAT", FirstGeneration)), "alte Pelvanor-Datenbank (V1)");
    EXPECT_EQ(Of(Probe("venox2.dat", FirstGeneration)), "alte Pelvanor-Datenbank (V1)");
    EXPECT_EQ(Of(Probe("tvx.dat", SecondGeneration)), "alte Pelvanor-Datenbank (V2)");
    // A current database under an old name is still a current database.
    EXPECT_EQ(Of(Probe("tvx.dat", Database)), "Pelvanor-Datenbank");
    EXPECT_EQ(Of(Probe("andere.dat", "kein Format")), "(none)");
    EXPECT_EQ(Of(Probe(".csv", "")), "CSV (durch Semikola getrennte Liste)");
    // Probing creates nothing.
    EXPECT_EQ(ConverterManager::Instance().FindImportConverter(Dir.File("fehlt.dat")), nullptr);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("fehlt.dat")));
}

// The backups of the program's database are named pelvanor.dat, as the oldest station files
// were: a cut-off copy is no old station file.
TEST_F(ProbingTest, ACutOffDatabaseIsNoOldStationFile) {
    TDatabaseMgr database("", false, false);
    for (int i = 0; i < 60; ++i) {
        TDiagramData record;
        record.SetPlace(TDiagramData::TPlace("Station " + std::to_string(i)));
        database.Add(record, true);
    }
    const std::string file = Dir.File("pelvanor.dat");
    database.SaveCopy(file);
    for (const off_t size : {5000, 34 * 147}) {
        ASSERT_EQ(::truncate(file.c_str(), size), 0);
        EXPECT_EQ(Of(ConverterManager::Instance().FindImportConverter(file)), "(none)") << size;
    }
    TScriptedUi ui;
    EXPECT_TRUE(ConverterManager::Instance().ImportFile(ui, file).empty());
    EXPECT_EQ(ui.Shown, Strings{"error box Kein Importfilter für Datenquelle verfügbar!"});
}

// A file that cannot be read lacks no filter: the box says what is wrong with it.
TEST_F(ProbingTest, AFileThatCannotBeReadIsSaidSo) {
    const std::string folder = Dir.File("ordner.dat");
    std::filesystem::create_directory(folder);
    TScriptedUi ui;
    EXPECT_TRUE(ConverterManager::Instance().ImportFile(ui, folder).empty());
    EXPECT_EQ(ui.Shown,
              Strings{"error box Datei kann nicht gelesen werden: " + folder + ": Is a directory"});
}

TDiagramData Named(const std::string& name) {
    TDiagramData record;
    record.SetPlace(TDiagramData::TPlace(name));
    return record;
}

class ExportFlowTest : public testing::Test {
protected:
    void SetUp() override {
        Manager.Register(&Csv);
        Manager.Register(&Fake);
        Ui.FileName = "/tmp/egal.fk";
    }
    ConverterManager Manager;
    TFakeConverter Csv{"CSV", false};
    TFakeConverter Fake{"Fake", false};
    TScriptedUi Ui;
};

TEST_F(ExportFlowTest, NothingToExportOrNoFilter) {
    EXPECT_FALSE(Manager.ExportDiagrams({}, Ui, "Pelvanor"));
    ConverterManager empty;
    EXPECT_FALSE(empty.ExportDiagrams({Named("A")}, Ui, "Pelvanor"));
    EXPECT_EQ(Ui.Shown, (Strings{"error box Keine Diagramme zum Export ausgewählt!",
                                 "error box Keine Exportfilter verfügbar!"}));
}

TEST_F(ExportFlowTest, CancellingEndsSilently) {
    Ui.Pick = -1;
    EXPECT_FALSE(Manager.ExportDiagrams({Named("A")}, Ui, "Pelvanor"));
    EXPECT_EQ(Ui.PickEntries, (Strings{"CSV", "Fake"}));
    Ui.Pick = 1;
    Ui.FileName.reset();
    EXPECT_FALSE(Manager.ExportDiagrams({Named("A")}, Ui, "Pelvanor"));
    EXPECT_TRUE(Ui.Shown.empty());
}

TEST_F(ExportFlowTest, RunWritesTheLogAndItsSummary) {
    Ui.Pick = 1;
    EXPECT_FALSE(Manager.ExportDiagrams({Named("A"), Named("B")}, Ui, "Wien/Hohe:Warte?"));
    ASSERT_TRUE(Ui.Dialog);
    EXPECT_EQ(Ui.Dialog->Title, "Diagramm exportieren...");
    EXPECT_EQ(Ui.Dialog->Filter, "Fake (*.fk)|*.fk|");
    EXPECT_EQ(Ui.Dialog->DefaultExtension, "fk");
    EXPECT_EQ(Ui.Dialog->FileName, "Wien Hohe Warte .fk");
    EXPECT_EQ(
        Ui.Shown,
        (Strings{"log Export gestartet.", "busy", "log Benutze Export-Filter \"Fake\"",
                 "log Fehler: A: kaputt", "log Fehler: B: kaputt", "not busy",
                 "log Export beendet.", "log Zusammenfassung:",
                 "log 2 Einträge insgesamt verarbeitet, davon:", "log   0 akzeptiert",
                 "log   0 nach Änderungen akzeptiert", "log   2 nicht akzeptiert", "wait for OK"}));
}

TEST_F(ExportFlowTest, ImportRunsWithTheClaimingFilter) {
    EXPECT_TRUE(Manager.ImportDiagrams(Ui).empty());
    EXPECT_EQ(Ui.Dialog->Title, "Diagramm importieren...");
    EXPECT_EQ(Ui.Dialog->Filter, "Alle Dateien (*.*)|*.*|");
    EXPECT_EQ(Ui.Shown, Strings{"error box Kein Importfilter für Datenquelle verfügbar!"});

    Ui.Shown.clear();
    Ui.FileName.reset();
    EXPECT_TRUE(Manager.ImportDiagrams(Ui).empty());
    EXPECT_TRUE(Ui.Shown.empty());

    const TFakeConverter claiming("Nimmt alles", true);
    Manager.Register(&claiming);
    const auto records = Manager.ImportFile(Ui, "x.fk");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Ui.Shown[2], "log Benutze Import-Filter \"Nimmt alles\"");
    EXPECT_EQ(Ui.Shown[3], "log Warnung: umbenannt");
    EXPECT_EQ(Ui.Shown[8], "log   0 akzeptiert");
    EXPECT_EQ(Ui.Shown[9], "log   1 nach Änderungen akzeptiert");
}

TEST_F(ExportFlowTest, SeveralFilesAreOneRunWithEachFilesFilter) {
    Ui.FileNames = {"a.fk", "b.fk"};
    EXPECT_TRUE(Manager.ImportDiagrams(Ui).empty());
    EXPECT_EQ(Ui.Shown, (Strings{"log Import gestartet.", "busy",
                                 "log Fehler: Kein Importfilter für Datenquelle verfügbar: a.fk",
                                 "log Fehler: Kein Importfilter für Datenquelle verfügbar: b.fk",
                                 "not busy", "log Import beendet.", "log Zusammenfassung:",
                                 "log 2 Einträge insgesamt verarbeitet, davon:",
                                 "log   0 akzeptiert", "log   0 nach Änderungen akzeptiert",
                                 "log   2 nicht akzeptiert", "wait for OK"}));

    // The files of one filter go to it together, in the order of the first of them.
    const TFakeConverter claiming("Nimmt alles", true);
    Manager.Register(&claiming);
    Ui.Shown.clear();
    Ui.FileNames = {"/tmp/a.fk", "/tmp/b.fk", "/tmp/c.fk"};
    EXPECT_EQ(Manager.ImportDiagrams(Ui).size(), 3u);
    EXPECT_EQ(
        std::vector<std::string>(Ui.Shown.begin(), Ui.Shown.begin() + 6),
        (Strings{"log Import gestartet.", "busy", "log Benutze Import-Filter \"Nimmt alles\"",
                 "log Warnung: umbenannt", "log Warnung: umbenannt", "log Warnung: umbenannt"}));
}

TEST(DefaultConverterLogTest, CountsByOutcome) {
    TScriptedUi ui;
    DefaultConverterLog log(ui.OpenLogWindow(), "Import");
    EXPECT_FALSE(log.AnyAccepted());
    log.Accepted();
    log.Accepted();
    log.Message("Zeile");
    log.Error("x");
    EXPECT_TRUE(log.AnyAccepted());
    log.Finish();
    EXPECT_EQ(ui.Shown,
              (Strings{"log Import gestartet.", "log Zeile", "log Fehler: x", "log Import beendet.",
                       "log Zusammenfassung:", "log 3 Einträge insgesamt verarbeitet, davon:",
                       "log   2 akzeptiert", "log   0 nach Änderungen akzeptiert",
                       "log   1 nicht akzeptiert", "wait for OK"}));
}

} // namespace
