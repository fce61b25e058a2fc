#include "app/qt_converter_ui.h"
#include "convert/converter_manager.h"
#include "dbui/log_dialog.h"
#include "dbui/pick_list_dialog.h"
#include "model/windows1252.h"
#include "support/scripted_user_interface.h"
#include "support/stations.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

// Failures show the texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace Windows1252::Literals;
using Strings = std::vector<std::string>;

template <typename Control>
Control* ControlOf(QWidget& dialog, int id) {
    return dialog.findChild<Control*>(QString::number(id));
}

QString LogText(QWidget& dialog) {
    return ControlOf<QPlainTextEdit>(dialog, 4901)->toPlainText();
}

TEST(ConverterFilterTextTest, RegistryPairsBecomeQtNameFilters) {
    const auto filters = &TQtConverterUi::NameFilters;
    EXPECT_EQ(filters("CSV-Dateien (*.csv)|*.csv|"), QStringList{"CSV-Dateien (*.csv)"});
    EXPECT_EQ(filters("CSV (durch Semikola getrennte Liste) (*.csv)|*.csv|Tabelle|*.tab|"),
              (QStringList{"CSV (durch Semikola getrennte Liste) (*.csv)", "Tabelle (*.tab)"}));
    // On Windows "*.*" took every file, also one without a dot.
    EXPECT_EQ(filters("Alle Dateien (*.*)|*.*|"), QStringList{"Alle Dateien (*)"});
    EXPECT_EQ(filters("Texte (*.txt;*.doc)|*.txt; *.doc|"), QStringList{"Texte (*.txt *.doc)"});
    EXPECT_EQ(filters("Größe (*.gr)|*.gr|"_cp1252), QStringList{"Größe (*.gr)"});
    EXPECT_TRUE(filters("ohne Muster|").isEmpty());
}

TEST(PickListTest, FirstEntryPreselectedChosenIndexOrMinusOne) {
    TScriptedUserInterface ui;
    TQtConverterUi converterUi(nullptr, ui);
    const Strings entries{"Erster", "Zweiter", "Äußerster"_cp1252};
    ui.Steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(static_cast<DbUI::TPickListDialog&>(dialog).Selected(), 0);
        auto* list = ControlOf<QListWidget>(dialog, 101);
        EXPECT_EQ(list->item(2)->text(), "Äußerster");
        list->setCurrentRow(2);
        return QDialog::Accepted;
    });
    EXPECT_EQ(converterUi.PickFromList(entries), 2);
    ui.Steps.push_back([](QDialog& dialog) {
        ControlOf<QListWidget>(dialog, 101)->setCurrentRow(1);
        return QDialog::Rejected;
    });
    EXPECT_EQ(converterUi.PickFromList(entries), -1);
    EXPECT_EQ(ui.Shown, Strings(2, "Dialog: Auswahlliste"));
}

TEST(LogDialogTest, LinesGoToTheEndAndOnlyTheFinishedLogCloses) {
    DbUI::TLogDialog dialog(nullptr);
    dialog.show();
    QPushButton* ok = ControlOf<QPushButton>(dialog, 1);
    dialog.AppendLine("Import gestartet.");
    ControlOf<QPlainTextEdit>(dialog, 4901)->moveCursor(QTextCursor::Start);
    dialog.AppendLine("Fehler: Köln");
    EXPECT_EQ(LogText(dialog), "Import gestartet.\nFehler: Köln\n");
    EXPECT_FALSE(ok->isEnabled());
    dialog.reject(); // Escape or the close button
    EXPECT_TRUE(dialog.isVisible());

    dialog.Finish();
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
}

// The log starts wide enough for a typical error line, but never wider than the screen, and the
// user may make it larger.
TEST(LogDialogTest, StartsWideEnoughForATypicalLineWithinTheScreenAndCanBeResized) {
    const QString typical = QString::fromUtf8(
        "Fehler: Station Nakhon Si Thammarat/Thailand: Datenbank: Temperatur für Monat Juli "
        "außerhalb des gültigen Bereichs: 61.0");
    const QFont usual = QApplication::font();
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget frame;
    frame.show();
    for (const int pixels : {10, 20}) {
        SCOPED_TRACE(pixels);
        QFont font = usual;
        font.setPixelSize(pixels);
        QApplication::setFont(font);
        DbUI::TLogDialog dialog(&frame);
        dialog.show();
        dialog.AppendLine(typical);
        auto* lines = ControlOf<QPlainTextEdit>(dialog, 4901);
        const bool fits = lines->horizontalScrollBar()->maximum() == 0;
        EXPECT_TRUE(fits || dialog.frameGeometry().width() == workArea.width());
        EXPECT_LE(dialog.frameGeometry().width(), workArea.width());
        EXPECT_EQ(fits, pixels == 10);

        EXPECT_TRUE(dialog.isSizeGripEnabled());
        const int width = lines->width();
        dialog.resize(dialog.size() + QSize(120, 80));
        QCoreApplication::processEvents();
        EXPECT_EQ(lines->width(), width + 120);
    }
    QApplication::setFont(usual);
}

TEST(LogDialogTest, WaitForCloseRunsUntilOk) {
    TQtUserInterface ui;
    QWidget frame;
    TQtConverterUi converterUi(&frame, ui);
    const std::unique_ptr<ConverterLogWindow> window = converterUi.OpenLogWindow();
    auto* dialog = frame.findChild<DbUI::TLogDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible() && dialog->isModal());
    window->AppendLine("Export beendet.");
    QTimer::singleShot(0, dialog, [dialog] { ControlOf<QPushButton>(*dialog, 1)->click(); });
    window->WaitForClose();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(LogText(*dialog), "Export beendet.\n");
}

// The real file dialogs, with the message boxes written down.
class TRecordingQtUserInterface : public TQtUserInterface {
public:
    void Inform(QWidget*, const QString& text, const QString& caption, TIcon) override {
        Shown.push_back((caption + ": " + text).toStdString());
    }
    Strings Shown;
};

TEST(FileDialogTest, SaveAddsTheSuffixOfTheChosenTypeAndTakesNoMissingFolder) {
    TTempDir dir;
    TRecordingQtUserInterface ui;
    const QString folder = QString::fromStdString(dir.Path.string());
    // Answers the next dialog: chooses a type by the keyboard, as a user would, then a name.
    const auto answer = [](const QString& file, int typeSteps = 0,
                           std::function<void()> then = {}) {
        QTimer::singleShot(0, [file, typeSteps, then] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (file.isEmpty()) {
                dialog->reject();
                return;
            }
            for (int step = 0; step < typeSteps; ++step)
                QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")),
                                Qt::Key_Down);
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
            if (then)
                then();
        });
    };
    const auto ask = [&ui](const QStringList& types, const QString& suffix) {
        return ui.AskSaveFileName(nullptr, "Diagramm speichern...", types, suffix, "");
    };
    answer(folder + "/neu");
    const auto table = ask({"Tabelle (*.tab)"}, "tab");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->File, folder + "/neu.tab");
    EXPECT_EQ(table->NameFilter, 0);

    // The second type chosen, a name typed without a suffix: the name gets that type's.
    const QStringList pictures{"Enhanced Metafile (*.emf)", "PDF-Dokument (*.pdf)",
                               "SVG-Grafik (*.svg)"};
    answer(folder + "/Berlin", 1);
    const auto pdf = ask(pictures, "emf");
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->File, folder + "/Berlin.pdf");
    EXPECT_EQ(pdf->NameFilter, 1);

    // The dialog comes back after a folder that does not exist, saying so; then it is cancelled.
    answer(folder + "/fehlt/neu", 0, [&answer] { answer(""); });
    EXPECT_EQ(ask({"Tabelle (*.tab)"}, "tab"), std::nullopt);
    EXPECT_EQ(ui.Shown, Strings{"Fehler: Der Ordner „" + folder.toStdString() +
                                "/fehlt“ existiert nicht.\n\nBitte wählen Sie einen "
                                "vorhandenen Ordner."});
}

TEST(FileDialogTest, OpeningTakesSeveralFilesOfAFolder) {
    TTempDir dir;
    TRecordingQtUserInterface ui;
    for (const char* name : {"a.csv", "b.csv", "c.csv"})
        TTempDir::Write(dir.File(name), "x");
    const QString folder = QString::fromStdString(dir.Path.string());
    QTimer::singleShot(0, [folder] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        dialog->setDirectory(folder);
        dialog->selectFile("\"a.csv\" \"c.csv\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ui.AskOpenFileNames(nullptr, "Diagramm importieren...", {"Alle Dateien (*)"}),
              (QStringList{folder + "/a.csv", folder + "/c.csv"}));
}

// A filter that looks at the windows while it works and takes no record.
class TFailingConverter : public Converter {
public:
    std::string GetDescription() const override { return "Probe"; }
    bool CanImport(const std::string&) const override { return false; }
    bool CanExport() const override { return true; }
    std::string GetExtension() const override { return ".pr"; }
    std::vector<TDiagramData> Import(const std::string&, ConverterLog&) const override {
        return {};
    }
    void Export(const std::string&, ConverterLog& log,
                const std::vector<TDiagramData>& records) const override {
        auto* dialog = Frame->findChild<DbUI::TLogDialog*>();
        EXPECT_TRUE(dialog && dialog->isVisible());
        EXPECT_FALSE(ControlOf<QPushButton>(*dialog, 1)->isEnabled());
        EXPECT_EQ(LogText(*dialog), "Export gestartet.\nBenutze Export-Filter \"Probe\"\n");
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        for (const TDiagramData& record : records)
            log.Error(record.Place().Name() + ": Speichervorgang fehlgeschlagen");
    }

    QWidget* Frame = nullptr;
};

class ConverterFlowTest : public testing::Test {
protected:
    // A step that keeps the finished log's text and presses "OK".
    std::function<int(QDialog&)> ReadLog() {
        return [this](QDialog& dialog) {
            EXPECT_TRUE(ControlOf<QPushButton>(dialog, 1)->isEnabled());
            Log = LogText(dialog).toStdString();
            ControlOf<QPushButton>(dialog, 1)->click();
            return dialog.result();
        };
    }
    std::function<int(QDialog&)> Pick(int row) {
        return [row](QDialog& dialog) {
            ControlOf<QListWidget>(dialog, 101)->setCurrentRow(row);
            return QDialog::Accepted;
        };
    }
    std::vector<std::string> NamesOf(const std::vector<TDiagramData>& records) {
        std::vector<std::string> names;
        for (const TDiagramData& record : records)
            names.push_back(Windows1252::ToUtf8(record.Place().Name()));
        return names;
    }

    TTempDir Dir;
    TScriptedUserInterface Ui;
    QWidget Frame;
    TQtConverterUi ConverterUi{&Frame, Ui};
    const ConverterManager& Manager = ConverterManager::Instance();
    const std::vector<TDiagramData> Stations{MakeStation("Bern/Schweiz", {}, {}),
                                             MakeStation("Köln/Deutschland"_cp1252, {}, {})};
    std::string Log;
};

TEST_F(ConverterFlowTest, ExportAndImportThroughCsvAndNativeDatabase) {
    struct TCase {
        int Row;
        std::string Description, Extension;
    };
    for (const TCase& filter : {TCase{0, "CSV (durch Semikola getrennte Liste)", "csv"},
                                TCase{1, "Pelvanor-Datenbank", "dat"}}) {
        SCOPED_TRACE(filter.Description);
        const QString file = QString::fromStdString(Dir.File("Köln." + filter.Extension));
        Ui.Shown.clear();
        Ui.Steps = {Pick(filter.Row), ReadLog()};
        Ui.FileNames = {file};
        EXPECT_TRUE(Manager.ExportDiagrams(Stations, ConverterUi, "Köln/Deutschland"_cp1252));
        EXPECT_EQ(Ui.Shown, (Strings{"Dialog: Auswahlliste", "Speichern: Diagramm exportieren...",
                                     "Dialog: Meldungen"}));
        const TScriptedUserInterface::TFileRequest& save = Ui.FileRequests.back();
        EXPECT_EQ(save.NameFilters.join("|").toStdString(),
                  filter.Description + " (*." + filter.Extension + ")");
        EXPECT_EQ(save.DefaultSuffix.toStdString(), filter.Extension);
        EXPECT_EQ(save.ProposedName.toStdString(), "Köln Deutschland." + filter.Extension);
        EXPECT_TRUE(std::filesystem::exists(file.toStdString()));
        EXPECT_EQ(Log, "Export gestartet.\nBenutze Export-Filter \"" + filter.Description +
                           "\"\nExport beendet.\nZusammenfassung:\n"
                           "2 Einträge insgesamt verarbeitet, davon:\n  2 akzeptiert\n"
                           "  0 nach Änderungen akzeptiert\n  0 nicht akzeptiert\n");

        Ui.Steps = {ReadLog()};
        Ui.FileNames = {file};
        EXPECT_EQ(NamesOf(Manager.ImportDiagrams(ConverterUi)),
                  (Strings{"Bern/Schweiz", "Köln/Deutschland"}));
        EXPECT_EQ(Ui.FileRequests.back().Title, "Diagramm importieren...");
        EXPECT_EQ(Ui.FileRequests.back().NameFilters, QStringList{"Alle Dateien (*)"});
        EXPECT_TRUE(Log.starts_with("Import gestartet.\nBenutze Import-Filter \"" +
                                    filter.Description + "\"\n"));
    }
}

TEST_F(ConverterFlowTest, FailedExportIsReportedInTheLog) {
    ConverterManager manager;
    TFailingConverter failing;
    failing.Frame = &Frame;
    manager.Register(&failing);
    Ui.Steps = {Pick(0), ReadLog()};
    Ui.FileNames = {QString::fromStdString(Dir.File("x.pr"))};
    EXPECT_FALSE(manager.ExportDiagrams(Stations, ConverterUi, "Pelvanor"));
    EXPECT_TRUE(Log.ends_with("Einträge insgesamt verarbeitet, davon:\n  0 akzeptiert\n"
                              "  0 nach Änderungen akzeptiert\n  2 nicht akzeptiert\n"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ConverterFlowTest, MessageBoxesAndCancelsEndTheFlowWithoutLog) {
    EXPECT_FALSE(Manager.ExportDiagrams({}, ConverterUi, "Pelvanor"));
    EXPECT_FALSE(ConverterManager().ExportDiagrams(Stations, ConverterUi, "Pelvanor"));
    EXPECT_FALSE(Manager.ExportDiagrams(Stations, ConverterUi, "Pelvanor")); // pick list cancelled
    Ui.Steps = {Pick(2)};
    EXPECT_FALSE(Manager.ExportDiagrams(Stations, ConverterUi, "Pelvanor")); // no file chosen
    EXPECT_TRUE(Manager.ImportDiagrams(ConverterUi).empty());
    TTempDir::Write(Dir.File("notiz.txt"), "nichts\n");
    EXPECT_TRUE(Manager.ImportFile(ConverterUi, Dir.File("notiz.txt")).empty());
    EXPECT_EQ(Ui.Shown, (Strings{"Fehler: Keine Diagramme zum Export ausgewählt!",
                                 "Fehler: Keine Exportfilter verfügbar!", "Dialog: Auswahlliste",
                                 "Dialog: Auswahlliste", "Speichern: Diagramm exportieren...",
                                 "Öffnen: Diagramm importieren...",
                                 "Fehler: Kein Importfilter für Datenquelle verfügbar!"}));
    EXPECT_EQ(Ui.FileRequests.front().ProposedName, "Pelvanor.tab");
}

} // namespace
