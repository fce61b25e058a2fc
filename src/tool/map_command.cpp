#include "config/tvx_config.h"
#include "convert/file_names.h"
#include "map/map.h"
#include "render/diagram_output.h"
#include "render/qt_text.h"
#include "render/resource_library.h"
#include "tool/commands.h"
#include "tool/offscreen_application.h"
#include "tvxres/tvxres.h"

#include <QLocale>
#include <QPainter>
#include <cmath>

namespace Tool {
namespace {

// The legend below the map, in the map's pixels: a title, the zones in two columns, each with its
// marker, code, description and number of stations, and where the colours come from.
class TLegend {
public:
    TLegend(const std::array<int, ClimateZoneCount>& counts, int stationCount, int width)
        : Counts(counts), StationCount(stationCount), Width(width) {
        for (int zone = 0; zone < ClimateZoneCount; ++zone)
            if (Counts[static_cast<std::size_t>(zone)] > 0)
                Zones.push_back(zone);
    }

    int Height() const { return Margin + TitleHeight + Rows() * RowHeight + Gap + NoteHeight; }

    void Paint(QPainter& painter, int top) const {
        painter.save();
        painter.fillRect(QRect(0, top, Width, Height()), Qt::white);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(Margin, top + Margin, Width - 2 * Margin, TitleHeight),
                         Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Klimazonen nach Köppen-Geiger, ") +
                             QLocale(QLocale::German).toString(StationCount) +
                             QStringLiteral(" Stationen"));
        font.setBold(false);
        font.setPixelSize(10);
        painter.setFont(font);
        const qreal ratio = painter.device()->devicePixelRatioF();
        const int columnWidth = (Width - 2 * Margin - ColumnGap) / 2;
        for (std::size_t i = 0; i < Zones.size(); ++i) {
            const int zone = Zones[i];
            const int column = static_cast<int>(i) / Rows();
            const QRect row(Margin + column * (columnWidth + ColumnGap),
                            top + Margin + TitleHeight + (static_cast<int>(i) % Rows()) * RowHeight,
                            columnWidth, RowHeight);
            const QImage marker = TMap::ZoneMarker(zone, ratio);
            painter.drawImage(QPoint(row.left(), row.center().y() - TMap::MarkerSize - 1), marker);
            const QString count = QString::number(Counts[static_cast<std::size_t>(zone)]);
            const QRect text = row.adjusted(2 * TMap::MarkerSize + 6, 0, 0, 0);
            painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, count);
            const int room = text.width() - painter.fontMetrics().horizontalAdvance(count) - 8;
            painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(ToQString(ClimateZoneTitle(zone)),
                                                              Qt::ElideRight, room));
        }
        font.setPixelSize(9);
        painter.setFont(font);
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRect(Margin, top + Height() - NoteHeight, Width - 2 * Margin, NoteHeight),
                         Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Farben nach Beck et al. (2018), Scientific Data "
                                        "5:180214; Zonen aus den Monatswerten jeder Station"));
        painter.restore();
    }

private:
    static constexpr int Margin = 8;
    static constexpr int TitleHeight = 20;
    static constexpr int RowHeight = 15;
    static constexpr int ColumnGap = 16;
    static constexpr int Gap = 6;
    static constexpr int NoteHeight = 14;

    int Rows() const { return static_cast<int>(Zones.size() + 1) / 2; }

    std::array<int, ClimateZoneCount> Counts;
    int StationCount;
    int Width;
    std::vector<int> Zones;
};

std::unique_ptr<TMap> LoadMap(bool europe, qreal ratio) {
    const std::string library = TTvxConfig().ProgramDir + "tvxres.dll";
    const auto resources = TResourceLibrary::Load(QString::fromStdString(library));
    if (!resources)
        throw TFailure("Ressourcen-Bibliothek \"" + library + "\" kann nicht geladen werden");
    if (europe)
        return std::make_unique<TEuropeMap>(resources->Picture(TvxResEuropeMap, ratio));
    return std::make_unique<TWorldMap>(resources->Picture(TvxResWorldMap, ratio));
}

} // namespace

int Map(const TArguments& arguments) {
    arguments.ExpectPositional(2);
    const std::string& output = arguments.Positional(1);
    if (!FileNames::EqualIgnoringCase(FileNames::Extension(output), ".png"))
        throw TUsageError("die Karte wird als .png geschrieben");
    const bool europe = arguments.Switch("--europa");
    const bool zoned = arguments.Switch("--zonen");
    const auto database = ReadDatabase(arguments.Positional(0));
    const TOffscreenApplication application;

    // The map of Europe shows the stations of its area, and its legend counts only them.
    std::vector<TMap::TMarker> markers;
    std::array<int, ClimateZoneCount> counts{};
    for (int i = 0; i < database->Count(); ++i) {
        const TDiagramData& station = database->RecordAt(i);
        if (europe && !InEuropeArea(GeoPointOf(station.Coords())))
            continue;
        const int zone = zoned ? ClimateZoneNumberOf(station) : 0;
        ++counts[static_cast<std::size_t>(zone)];
        markers.push_back({&station, zone});
    }

    const TSize mapSize =
        europe ? TEuropeProjection().PictureSize() : TWorldProjection().PictureSize();
    // Eight thousand pixels hold a map for any printed page; the picture grows taller than wide.
    const int width = arguments.Pixels("--width", mapSize.Width, 8000);
    const qreal ratio = static_cast<qreal>(width) / mapSize.Width;
    const std::unique_ptr<TMap> map = LoadMap(europe, ratio);
    const std::optional<TLegend> legend =
        zoned ? std::optional<TLegend>(std::in_place, counts, static_cast<int>(markers.size()),
                                       mapSize.Width)
              : std::nullopt;
    const int height = mapSize.Height + (legend ? legend->Height() : 0);

    QImage picture(width, static_cast<int>(std::ceil(height * ratio)),
                   QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        throw TFailure("kein Speicher für ein Bild von " + std::to_string(width) +
                       " Bildpunkten Breite");
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        map->Paint(painter, markers, std::nullopt,
                   zoned ? TMap::TColours::ByZone : TMap::TColours::Plain);
        if (legend)
            legend->Paint(painter, mapSize.Height);
    }
    const QByteArray bytes = DiagramOutput::PngBytes(picture);
    WritePicture(output, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
    return ExitSuccess;
}

} // namespace Tool
