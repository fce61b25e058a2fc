// The diagram window's picture printed, copied and saved at its true size.

#include "app/diag_frame.h"
#include "config/tvx_config.h"
#include "diagram/diag_window.h"
#include "diagram/diagram_emf.h"
#include "support/file_limits.h"
#include "support/lone_diagram_owner.h"
#include "support/stations.h"
#include "support/temp_dir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPrintDialog>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// Whether any pixel is neither black, white nor grey.
bool HasColour(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() != pixel.green() || pixel.green() != pixel.blue())
                return true;
        }
    return false;
}

// The distance in millimetres between the centres of the first and the last dark line that
// runs at least `minimum` millimetres across the page (rows, or columns when `vertical`).
double LineDistance(const QImage& page, double dotsPerMm, double minimum, bool vertical) {
    const int lines = vertical ? page.width() : page.height();
    const int along = vertical ? page.height() : page.width();
    std::vector<int> long_lines;
    for (int line = 0; line < lines; ++line) {
        int dark = 0;
        for (int i = 0; i < along; ++i)
            dark += qGray(vertical ? page.pixel(line, i) : page.pixel(i, line)) < 128;
        if (dark >= minimum * dotsPerMm)
            long_lines.push_back(line);
    }
    if (long_lines.empty())
        return 0;
    // The centres of the first and the last run of neighbouring lines.
    std::size_t firstEnd = 0;
    while (firstEnd + 1 < long_lines.size() && long_lines[firstEnd + 1] == long_lines[firstEnd] + 1)
        ++firstEnd;
    std::size_t lastBegin = long_lines.size() - 1;
    while (lastBegin > 0 && long_lines[lastBegin - 1] == long_lines[lastBegin] - 1)
        --lastBegin;
    const double first = (long_lines.front() + long_lines[firstEnd]) / 2.0;
    const double last = (long_lines[lastBegin] + long_lines.back()) / 2.0;
    return (last - first) / dotsPerMm;
}

class DiagOutputTest : public testing::Test {
protected:
    DiagOutputTest() { Frame.Place(QRect(0, 0, 800, 600)); }
    TDiagWindow& View() { return Frame.View(); }
    TScriptedUserInterface& Ui() { return Owner.Scripted; }
    const QMimeData& Clipboard() { return *QGuiApplication::clipboard()->mimeData(); }

    // The diagram area of a page printed into a PDF file, measured on the page at 600 dpi.
    QSizeF PrintedDiagramArea() {
        const QString pdf = QString::fromStdString(Dir.File("Seite.pdf"));
        Ui().Steps.push_back([pdf](QDialog& dialog) {
            static_cast<QPrintDialog&>(dialog).printer()->setOutputFileName(pdf);
            return static_cast<int>(QDialog::Accepted);
        });
        View().RunCommand(DmPrint);
        const QString prefix = QString::fromStdString(Dir.File("Seite"));
        if (QProcess::execute("pdftoppm", {"-r", "600", "-gray", "-singlefile", pdf, prefix}) != 0)
            return {};
        QImageReader::setAllocationLimit(0); // an A4 page at 600 dpi
        const QImage page(prefix + ".pgm");
        const double dotsPerMm = 600 / 25.4;
        const double minimum = Settings.LargeSizeOutput ? 170 : 85;
        // The frame's sides are the only lines that run almost its whole width or height.
        return {LineDistance(page, dotsPerMm, minimum * 0.65, true),
                LineDistance(page, dotsPerMm, minimum, false)};
    }

    TTempDir Dir;
    TTvxConfig Settings;
    TDiagramData Berlin = BerlinStation();
    TLoneDiagramOwner Owner;
    TDiagFrame Frame{Settings, Berlin, Owner};
};

TEST_F(DiagOutputTest, APrintedPageHoldsTheDiagramAtItsTrueSize) {
    const QSizeF large = PrintedDiagramArea();
    EXPECT_NEAR(large.width(), 195, 0.2);
    EXPECT_NEAR(large.height(), 135, 0.2);
    EXPECT_EQ(Ui().Shown, Strings{"Dialog: Drucken"});

    Settings.LargeSizeOutput = false;
    const QSizeF small = PrintedDiagramArea();
    EXPECT_NEAR(small.width(), 97.5, 0.2);
    EXPECT_NEAR(small.height(), 67.5, 0.2);
}

// Printing into a file proposes the diagram's name in the folder chosen the last time.
TEST_F(DiagOutputTest, PrintingIntoAFileRemembersTheFolder) {
    const QString folder = QString::fromStdString(Dir.Path.string());
    QString proposed;
    Ui().Steps = {[folder](QDialog& dialog) {
                      static_cast<QPrintDialog&>(dialog).printer()->setOutputFileName(folder +
                                                                                      "/erste.pdf");
                      return static_cast<int>(QDialog::Accepted);
                  },
                  [&proposed](QDialog& dialog) {
                      proposed = static_cast<QPrintDialog&>(dialog).printer()->outputFileName();
                      return static_cast<int>(QDialog::Rejected);
                  }};
    View().RunCommand(DmPrint);
    View().RunCommand(DmPrint);
    EXPECT_EQ(proposed, folder + "/Berlin.Deutschland.pdf");
}

TEST_F(DiagOutputTest, SavingProposesTheCaptionAndWritesTheChosenFormat) {
    Ui().FileNames = {
        QString::fromStdString(Dir.File("a.emf")), QString::fromStdString(Dir.File("b.pdf")),
        QString::fromStdString(Dir.File("c.svg")), QString::fromStdString(Dir.File("d.png"))};
    Ui().ChosenNameFilters = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        View().RunCommand(DmSave);
    const auto& request = Ui().FileRequests.front();
    EXPECT_EQ(request.Title, "Diagramm speichern...");
    EXPECT_EQ(request.ProposedName, "Berlin.Deutschland.emf");
    EXPECT_EQ(request.DefaultSuffix, "emf");
    EXPECT_EQ(request.NameFilters.front(), "Enhanced Metafile (*.emf)");
    EXPECT_EQ(request.NameFilters.size(), 4);

    // Without a printer the file is recorded for the fixed device, like the tool's.
    EXPECT_EQ(TTempDir::Read(Dir.File("a.emf")), DiagramEmf(Settings, View().Content()));
    EXPECT_EQ(TTempDir::Read(Dir.File("b.pdf")).substr(0, 5), "%PDF-");
    EXPECT_NE(TTempDir::Read(Dir.File("c.svg")).find("<svg"), std::string::npos);
    const QImage png(QString::fromStdString(Dir.File("d.png")));
    EXPECT_NEAR(png.width() / (png.dotsPerMeterX() / 1000.0), 197, 0.5); // with its margins

    // A file that cannot be written says so; cancelling writes nothing.
    Ui().FileNames = {QString::fromStdString(Dir.File("fehlt/e.emf"))};
    View().RunCommand(DmSave);
    View().RunCommand(DmSave);
    ASSERT_EQ(Ui().Shown.size(), 7u);
    EXPECT_EQ(Ui().Shown[5].rfind("Fehler: Die Datei ", 0), 0u) << Ui().Shown[5];
}

// The type chosen in the dialog decides, also for a name whose last dot is no suffix; a name
// typed with the suffix of another type is saved in that one.
TEST_F(DiagOutputTest, TheChosenTypeOrTheTypedSuffixDecidesTheFormat) {
    Ui().FileNames = {QString::fromStdString(Dir.File("Berlin.Deutschland")),
                      QString::fromStdString(Dir.File("Wien")),
                      QString::fromStdString(Dir.File("Karte.PDF"))};
    Ui().ChosenNameFilters = {1, 2, 0};
    for (int i = 0; i < 3; ++i)
        View().RunCommand(DmSave);
    EXPECT_TRUE(TTempDir::Read(Dir.File("Berlin.Deutschland")).starts_with("%PDF-"));
    EXPECT_NE(TTempDir::Read(Dir.File("Wien")).find("<svg"), std::string::npos);
    EXPECT_TRUE(TTempDir::Read(Dir.File("Karte.PDF")).starts_with("%PDF-"));
}

// Every format is complete before it takes the old file's place: a full disk or the program's
// database leave them as they were, and the box says why.
TEST_F(DiagOutputTest, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    const std::string old(1000, 'x');
    for (int format = 0; format < 4; ++format) {
        const std::string file = Dir.File("alt" + std::to_string(format));
        TTempDir::Write(file, old);
        Ui().FileNames = {QString::fromStdString(file)};
        Ui().ChosenNameFilters = {format};
        {
            const TFullDisk fullDisk(2000);
            View().RunCommand(DmSave);
        }
        EXPECT_EQ(TTempDir::Read(file), old) << format;
        EXPECT_EQ(Ui().Shown.back(), "Fehler: Die Datei " + file +
                                         " konnte nicht geschrieben werden!\n\nFile too large")
            << format;
    }

    Owner.Database = Dir.File("pelvanor.dat");
    TTempDir::Write(Owner.Database, "Stationen");
    std::filesystem::create_symlink(Owner.Database, Dir.File("verweis.emf"));
    Ui().FileNames = {QString::fromStdString(Dir.File("verweis.emf"))};
    View().RunCommand(DmSave);
    EXPECT_EQ(Ui().Shown.back(), "Fehler: Die geöffnete Datenbank kann nicht mit einem Diagramm "
                                 "überschrieben werden!\n\n" +
                                     Dir.File("verweis.emf"));
    EXPECT_EQ(TTempDir::Read(Owner.Database), "Stationen");
}

TEST_F(DiagOutputTest, CopyingAsMetafileOffersEmfSvgAndPng) {
    View().RunCommand(DmCopy);
    for (const char* format : {"image/emf", "image/x-emf", "image/svg+xml", "image/png"})
        EXPECT_TRUE(Clipboard().hasFormat(format)) << format;
    const std::string emf = DiagramEmf(Settings, View().Content());
    EXPECT_EQ(Clipboard().data("image/x-emf").toStdString(), emf);
    EXPECT_TRUE(Ui().Shown.empty());
}

TEST_F(DiagOutputTest, OutputIsBlackAndWhiteAndHalvedAsTheSettingsSayTheScreenStaysInColour) {
    Settings.CopyAsEmf = false;
    View().RunCommand(DmCopy);
    ASSERT_TRUE(Clipboard().hasImage());
    const QImage large = qvariant_cast<QImage>(Clipboard().imageData());
    // 197 mm (the diagram and its margins) at 96 dpi.
    EXPECT_EQ(large.width(), 745);
    EXPECT_FALSE(HasColour(large));

    Settings.LargeSizeOutput = false;
    View().RunCommand(DmCopy);
    EXPECT_EQ(qvariant_cast<QImage>(Clipboard().imageData()).width(), 372);

    Settings.CopyAsEmf = true;
    Settings.ColorOutput = true;
    View().RunCommand(DmCopy);
    EXPECT_TRUE(HasColour(QImage::fromData(Clipboard().data("image/png"))));

    Settings.ColorOutput = false;
    Frame.show();
    View().grab();
    EXPECT_TRUE(HasColour(View().CachedBitmap()));
}

} // namespace
