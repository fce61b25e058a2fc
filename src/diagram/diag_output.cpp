// The diagram window's picture leaves the screen: printed, copied, saved and exported, always at
// its true size.

#include "diagram/diag_window.h"

#include "app/qt_converter_ui.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "config/tvx_config.h"
#include "convert/converter_manager.h"
#include "database/safe_file.h"
#include "diagram/diagram_emf.h"
#include "render/diagram_output.h"
#include "render/painter_surface.h"
#include "render/qt_text.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cerrno>

namespace {

// Copies and files are recorded for the printer when there is one, so that their pictures do
// not depend on the screen; without one for the fixed device of 1/100 mm.
TDeviceCaps ReferenceDevice(QPrinter& printer) {
    if (QPrinterInfo::defaultPrinter().isNull())
        return TEmfSurface::TrueSizeDevice();
    return TPainterSurface::CapsOf(printer);
}

// The caption as a file name: Berlin/Deutschland becomes Berlin.Deutschland.
QString ProposedName(const QString& caption, const char* extension) {
    QString name = caption;
    name.replace(QLatin1Char('/'), QLatin1Char('.'));
    return name + QLatin1String(extension);
}

// The file of the program's database is never the target of a picture: true, after an error
// box, when the name stands for it.
bool RefuseDatabaseFile(QWidget* window, TDiagWindow::TClient& client, const QString& fileName) {
    if (!SafeFile::SameFile(QFile::encodeName(fileName).toStdString(), client.DatabaseFile()))
        return false;
    client.Ui().Error(window, QStringLiteral("Die geöffnete Datenbank kann nicht mit einem "
                                             "Diagramm überschrieben werden!\n\n%1")
                                  .arg(QDir::toNativeSeparators(fileName)));
    return true;
}

// The file types of "Diagramm speichern...", in the order of the dialog's name filters.
enum TPictureFormat { Emf, Pdf, Svg, Png };

// A name that ends in the suffix of one of the types is saved in that type, any other name (one
// without a suffix, or whose last dot is part of the name) in the type chosen in the dialog.
int FormatOf(const TUserInterface::TSaveChoice& chosen) {
    static constexpr const char* Suffixes[] = {"emf", "pdf", "svg", "png"};
    const QString suffix = QFileInfo(chosen.File).suffix().toLower();
    for (int format = Emf; format <= Png; ++format)
        if (suffix == QLatin1String(Suffixes[format]))
            return format;
    return chosen.NameFilter;
}

// The picture's file content; empty when it could not be drawn.
QByteArray Picture(int format, const TTvxConfig& settings, const TDiagramContent& content,
                   const TDeviceCaps& reference) {
    switch (format) {
    case Pdf:
        return DiagramOutput::PdfDocument(settings, content);
    case Svg:
        return DiagramOutput::SvgPicture(settings, content);
    case Png:
        return DiagramOutput::PngPicture(settings, content);
    default:
        const std::string emf = DiagramEmf(settings, content, reference);
        return {emf.data(), static_cast<qsizetype>(emf.size())};
    }
}

} // namespace

bool TDiagWindow::TDiagPrintout::Print(QPrinter& printer) const {
    printer.setDocName(Title);
    printer.setFromTo(1, 1);
    return DiagramOutput::DrawTrueSize(printer, Window.Settings, Window.Content());
}

void TDiagWindow::Print() {
    QPrinter& printer = Client.Printer();
    // Without a printer the dialog offers a PDF file, named after the diagram, in the folder
    // chosen the last time (at first the home folder).
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString last = printer.outputFileName();
        const QDir folder = last.isEmpty() ? QDir::home() : QFileInfo(last).absoluteDir();
        printer.setOutputFileName(folder.filePath(ProposedName(Caption(), ".pdf")));
    }
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (Client.Ui().Execute(dialog) != QDialog::Accepted)
        return;
    const TWaitCursor wait;
    if (!TDiagPrintout(Caption(), *this).Print(printer))
        Client.Ui().Error(this, QStringLiteral("Das Diagramm konnte nicht gedruckt werden!"));
}

void TDiagWindow::Copy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    std::unique_ptr<QMimeData> data;
    {
        const TWaitCursor wait;
        data = DiagramOutput::ClipboardData(Settings, Content(), Settings.CopyAsEmf,
                                            ReferenceDevice(Client.Printer()));
    }
    const QString format = data->formats().value(0);
    if (clipboard)
        clipboard->setMimeData(data.release());
    // Where another program keeps the clipboard, it still offers that program's data.
    if (!clipboard || !clipboard->mimeData() || !clipboard->mimeData()->hasFormat(format))
        Client.Ui().Error(
            this, QStringLiteral("Die Zwischenablage ist momentan nicht verfügbar!\n\nVersuchen "
                                 "Sie, den Vorgang später zu wiederholen,\nund schließen Sie ggf. "
                                 "offene Anwendungen."));
}

void TDiagWindow::Save() {
    const QStringList filters{
        QStringLiteral("Enhanced Metafile (*.emf)"), QStringLiteral("PDF-Dokument (*.pdf)"),
        QStringLiteral("SVG-Grafik (*.svg)"), QStringLiteral("PNG-Bild (*.png)")};
    const auto chosen =
        Client.Ui().AskSaveFileName(this, QStringLiteral("Diagramm speichern..."), filters,
                                    QStringLiteral("emf"), ProposedName(Caption(), ".emf"));
    if (!chosen || RefuseDatabaseFile(this, Client, chosen->File))
        return;
    SafeFile::TWriteResult written;
    {
        const TWaitCursor wait;
        const QByteArray bytes =
            Picture(FormatOf(*chosen), Settings, Content(), ReferenceDevice(Client.Printer()));
        // The old file stays until the whole picture takes its place.
        written =
            bytes.isEmpty()
                ? SafeFile::TWriteResult{EIO}
                : SafeFile::Replace(QFile::encodeName(chosen->File).toStdString(),
                                    {bytes.constData(), static_cast<std::size_t>(bytes.size())});
    }
    if (!written)
        Client.Ui().Error(this,
                          QStringLiteral("Die Datei %1 konnte nicht geschrieben werden!\n\n%2")
                              .arg(QDir::toNativeSeparators(chosen->File),
                                   ToQString(SafeFile::Reason(written.Error))));
}

void TDiagWindow::Export() {
    TQtConverterUi converterUi(this, Client.Ui());
    const std::optional<std::string> name = ToWindows1252(Caption());
    ConverterManager::Instance().ExportDiagrams({*ShownStation}, converterUi,
                                                name.value_or(ShownStation->Place().Name()),
                                                Client.DatabaseFile());
}
