#include "convert/file_names.h"
#include "diagram/diagram_emf.h"
#include "render/diagram_output.h"
#include "tool/commands.h"
#include "tool/offscreen_application.h"

#include <functional>
#include <map>

namespace Tool {
namespace {

// The display settings the options describe; unnamed ones keep their defaults.
TTvxConfig SettingsFrom(const TArguments& arguments) {
    TTvxConfig settings;
    const std::map<std::string, std::function<void(TTvxConfig&)>> switches = {
        {"--color",
         [](TTvxConfig& s) {
             s.ColorOutput = true;
         }},
        {"--small",
         [](TTvxConfig& s) {
             s.LargeSizeOutput = false;
         }},
        {"--thick",
         [](TTvxConfig& s) {
             s.ThickLines = true;
         }},
        {"--ratio12",
         [](TTvxConfig& s) {
             s.AxisRatio1to2 = true;
         }},
        {"--no-axes",
         [](TTvxConfig& s) {
             s.DrawAxes = false;
         }},
        {"--no-grid",
         [](TTvxConfig& s) {
             s.DrawGrid = false;
         }},
        {"--no-frame",
         [](TTvxConfig& s) {
             s.DrawFrame = false;
         }},
        {"--no-marking",
         [](TTvxConfig& s) {
             s.MarkAridHumid = false;
         }},
        {"--no-temperature",
         [](TTvxConfig& s) {
             s.DrawTemperatureCurve = false;
         }},
        {"--no-precipitation",
         [](TTvxConfig& s) {
             s.DrawPrecipitationCurve = false;
         }},
        {"--no-place",
         [](TTvxConfig& s) {
             s.ShowPlaceInfo = false;
         }},
        {"--no-july",
         [](TTvxConfig& s) {
             s.SouthernFromJuly = false;
         }},
        {"--koeppen",
         [](TTvxConfig& s) {
             s.ShowClimateZone = true;
         }},
    };
    for (const auto& [name, apply] : switches)
        if (arguments.Switch(name))
            apply(settings);

    const std::string table = arguments.Option("--table").value_or("complete");
    settings.TableComplete = table == "complete";
    settings.TableMonthlyOnly = table == "monthly";
    settings.TableWithoutValues = table == "novalues";
    if (table != "complete" && table != "monthly" && table != "novalues" && table != "none")
        throw TUsageError("--table erwartet complete, monthly, novalues oder none");

    const std::string scale = arguments.Option("--scale").value_or("auto");
    settings.PrecipScaleAuto = scale == "auto";
    settings.PrecipScale1to10 = scale == "10";
    if (scale != "auto" && scale != "5" && scale != "10")
        throw TUsageError("--scale erwartet auto, 5 oder 10");
    return settings;
}

const TDiagramData& StationNamed(const TDatabaseMgr& database, const std::string& utf8Name) {
    const int index = database.Find(TDiagramData::TPlace(ToWindows1252(utf8Name)), -1, true);
    if (index < 0)
        throw TFailure("Station \"" + utf8Name + "\" nicht gefunden");
    return database.RecordAt(index);
}

void WriteWithQt(const std::string& fileName, const std::string& extension,
                 const TTvxConfig& settings, const TDiagramContent& content, QSize client) {
    const TOffscreenApplication application;

    QByteArray bytes;
    if (extension == ".png") {
        const QImage image = DiagramOutput::ScreenImage(settings, content, client);
        if (image.isNull())
            throw TFailure("Bild von " + std::to_string(client.width()) + " x " +
                           std::to_string(client.height()) +
                           " Bildpunkten ist zu klein, um das Diagramm zu zeichnen");
        bytes = DiagramOutput::PngBytes(image);
    } else if (extension == ".svg") {
        bytes = DiagramOutput::SvgPicture(settings, content);
    } else {
        bytes = DiagramOutput::PdfDocument(settings, content);
    }
    WritePicture(fileName, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

} // namespace

int Render(const TArguments& arguments) {
    arguments.ExpectPositional(3);
    const std::string& output = arguments.Positional(2);
    // The format by the output's extension, in lower case.
    std::string extension;
    for (const char* format : {".emf", ".svg", ".pdf", ".png"})
        if (FileNames::EqualIgnoringCase(FileNames::Extension(output), format))
            extension = format;
    if (extension.empty())
        throw TUsageError(
            "das Ausgabeformat ergibt sich aus der Endung: .emf, .svg, .pdf oder .png");
    const TTvxConfig settings = SettingsFrom(arguments);
    const QSize client(arguments.Pixels("--width", 800), arguments.Pixels("--height", 600));

    const auto database = ReadDatabase(arguments.Positional(0));
    const TDiagramData& station = StationNamed(*database, arguments.Positional(1));
    TDiagramContent content{&station, NegativeSteps(station)};
    content.ZeroAxisFixed = arguments.Switch("--zero-fixed");
    if (const auto partner = arguments.Option("--compare")) {
        content.Comparison = &StationNamed(*database, *partner);
        content.CompareNegativeSteps = NegativeSteps(*content.Comparison);
        content.ShowOverlay = arguments.Switch("--overlay");
    } else if (arguments.Switch("--overlay")) {
        throw TUsageError("--overlay verlangt --compare");
    }

    if (extension == ".emf")
        WritePicture(output, DiagramEmf(settings, content));
    else
        WriteWithQt(output, extension, settings, content, client);
    return ExitSuccess;
}

} // namespace Tool
