#include "app/commands.h"
#include "dbui/zone_legend_dialog.h"
#include "frame_fixture.h"
#include "map/zone_colours.h"
#include "support/stations.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

using Strings = std::vector<std::string>;

// Equal but for the shading of antialiased edges.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 16 && std::abs(a.green() - b.green()) < 16 &&
           std::abs(a.blue() - b.blue()) < 16;
}

QColor ColourOf(const char* code) {
    const TRgb rgb = ZoneColour(ClimateZoneNumber(code));
    return {rgb.Red, rgb.Green, rgb.Blue};
}

class MapZonesTest : public FrameTest {
protected:
    MapZonesTest() {
        Place(FreiburgStation(), -8, 48); // Cfb
        Place(SevillaStation(), 6, 37);
        Place(SevillaStation("Athen/Griechenland"), -24, 38);
        Place(ManausStation(), 60, -3); // Am
    }
    // The station at whole degrees, west and north positive.
    void Place(TDiagramData station, int longitude, int latitude) {
        station.SetCoords(
            {std::abs(latitude), 0, std::abs(longitude), 0, latitude >= 0, longitude >= 0});
        Database.Add(station, false);
    }
    QPoint PixelOf(const std::string& name) {
        const TPoint at =
            Client->CurrentMap().Projection().ToPixel(GeoPointOf(Station(name)->Coords()));
        return {at.X, at.Y};
    }
    QColor PaintedAt(const std::string& name, int dx = 0) {
        return Client->grab().toImage().pixelColor(PixelOf(name) + QPoint(dx, 0));
    }
    void SwitchColouring() {
        Ui.Steps.push_back([](QDialog& dialog) {
            dialog.findChild<QAbstractButton*>(QStringLiteral("4725"))->click();
            dialog.accept();
            return static_cast<int>(QDialog::Accepted);
        });
        Run(CmConfigure);
    }
    DbUI::TZoneLegendDialog& Legend() {
        if (!Client->ZoneLegend())
            Run(CmZoneLegend);
        return *Client->ZoneLegend();
    }
    void ChooseZones(std::initializer_list<const char*> codes) {
        auto* zones = Legend().findChild<QTreeWidget*>(QStringLiteral("5001"));
        zones->clearSelection();
        for (int row = 0; row < zones->topLevelItemCount(); ++row)
            for (const char* code : codes)
                if (zones->topLevelItem(row)->text(0).startsWith(QString::fromLatin1(code) + " "))
                    zones->topLevelItem(row)->setSelected(true);
    }
    void OnlyChosenOnMap() { Legend().findChild<QCheckBox*>(QStringLiteral("5002"))->click(); }
    Strings Marked() {
        Strings names;
        for (const TMap::TMarker& marker : Client->Markers())
            names.push_back(marker.Station->Place().Name());
        return names;
    }
    std::optional<QString> ToolTipOver(const std::string& name) {
        QToolTip::hideText();
        const QPoint at = PixelOf(name);
        QHelpEvent event(QEvent::ToolTip, at, Client->mapToGlobal(at));
        QApplication::sendEvent(Client, &event);
        return QToolTip::isVisible() ? std::optional(QToolTip::text()) : std::nullopt;
    }
};

TEST_F(MapZonesTest, TheSettingColoursTheMarkersAndBringsUpTheLegend) {
    Run(CmAllStations);
    EXPECT_EQ(PaintedAt("Sevilla/Spanien"), QColor(255, 0, 0));
    EXPECT_FALSE(Client->ZoneLegend());
    EXPECT_EQ(ToolTipOver("Freiburg/Deutschland"), "Freiburg/Deutschland");

    SwitchColouring();
    ASSERT_TRUE(Client->ZoneLegend());
    EXPECT_TRUE(Client->ZoneLegend()->isVisible());
    EXPECT_EQ(PaintedAt("Sevilla/Spanien"), ColourOf("Csa"));
    EXPECT_EQ(PaintedAt("Freiburg/Deutschland"), ColourOf("Cfb"));
    EXPECT_EQ(PaintedAt("Manaus/Brasilien"), ColourOf("Am"));
    // The light yellow of Csa shows on the light land by its dark edge.
    const QColor edge = PaintedAt("Sevilla/Spanien", 4);
    EXPECT_LT(edge.red() + edge.green() + edge.blue(), 3 * 150);
    EXPECT_EQ(ToolTipOver("Freiburg/Deutschland"), "Freiburg/Deutschland – Cfb");

    SwitchColouring();
    EXPECT_EQ(PaintedAt("Sevilla/Spanien"), QColor(255, 0, 0));
    EXPECT_EQ(ToolTipOver("Freiburg/Deutschland"), "Freiburg/Deutschland");
}

// Painted in its zone's colour, the current station is found by a blue ring with a white halo.
TEST_F(MapZonesTest, TheCurrentStationKeepsAMarkingOfItsOwn) {
    const TMap& map = Client->CurrentMap();
    const TDiagramData* freiburg = Station("Freiburg/Deutschland");
    QImage painted(map.Size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&painted);
        map.Paint(painter, {{freiburg, ClimateZoneNumber("Cfb")}},
                  TMap::TMarker{freiburg, ClimateZoneNumber("Cfb")}, TMap::TColours::ByZone);
    }
    const QPoint at = PixelOf("Freiburg/Deutschland");
    EXPECT_EQ(painted.pixelColor(at), ColourOf("Cfb"));
    for (const QPoint blue : {QPoint(5, 0), QPoint(0, -7), QPoint(-6, 0)})
        EXPECT_TRUE(Near(painted.pixelColor(at + blue), Qt::blue)) << blue.x() << blue.y();
    for (const QPoint white : {QPoint(7, 0), QPoint(0, -8)})
        EXPECT_TRUE(Near(painted.pixelColor(at + white), Qt::white)) << white.x() << white.y();
}

TEST_F(MapZonesTest, OnlyTheChosenZonesAreShownAndFound) {
    ChooseZones({"Csa"});
    OnlyChosenOnMap();
    // Limiting the markers brings them all on, as far as the zones go.
    EXPECT_TRUE(Client->AllStationsShown());
    EXPECT_TRUE(Frame->Action(CmAllStations)->isChecked());
    EXPECT_EQ(Marked(), (Strings{"Athen/Griechenland", "Sevilla/Spanien"}));
    EXPECT_FALSE(ToolTipOver("Freiburg/Deutschland"));
    EXPECT_EQ(ToolTipOver("Sevilla/Spanien"), "Sevilla/Spanien");

    // What the map does not show cannot be picked on it.
    Strings listed;
    Ui.Steps.push_back(ChooseLines({}, &listed));
    QTest::mousePress(Client, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(Client, QPoint(640, 390));
    QTest::mouseRelease(Client, Qt::LeftButton, {}, QPoint(640, 390));
    EXPECT_EQ(listed, (Strings{"Athen/Griechenland", "Sevilla/Spanien"}));
    Frame->showNormal();
    QTest::mouseClick(Client, Qt::LeftButton, {}, PixelOf("Freiburg/Deutschland"));
    EXPECT_EQ(Ui.Shown.back(), "Info: In diesem Bereich sind keine Stationen verfügbar!");

    ChooseZones({"Csa", "Am"});
    EXPECT_EQ(Marked(), (Strings{"Athen/Griechenland", "Manaus/Brasilien", "Sevilla/Spanien"}));
    OnlyChosenOnMap();
    EXPECT_EQ(Marked().size(), 4u);
    EXPECT_TRUE(Client->AllStationsShown());
}

TEST_F(MapZonesTest, StationsOfTheChosenZonesOpenFromTheList) {
    ChooseZones({"Cfb", "Am"});
    Strings listed;
    Ui.Steps.push_back(ChooseLines({1}, &listed));
    Legend().findChild<QPushButton*>(QStringLiteral("5003"))->click();
    EXPECT_EQ(Ui.Shown, Strings{"Dialog: Ortauswahl"});
    EXPECT_EQ(listed, (Strings{"Freiburg/Deutschland", "Manaus/Brasilien"}));
    ASSERT_EQ(Windows().Count(), 1);
    EXPECT_EQ(Windows().WindowLinks().front().Station->Place().Name(), "Manaus/Brasilien");
    EXPECT_TRUE(Frame->Action(CmLastSelection)->isEnabled());
}

TEST_F(MapZonesTest, TheLegendAndTheColoursFollowTheDatabase) {
    const auto counts = [this] {
        std::map<std::string, int> listed;
        auto* zones = Legend().findChild<QTreeWidget*>(QStringLiteral("5001"));
        for (int row = 0; row < zones->topLevelItemCount(); ++row)
            listed[zones->topLevelItem(row)->text(0).left(3).trimmed().toStdString()] =
                zones->topLevelItem(row)->text(1).toInt();
        return listed;
    };
    EXPECT_EQ(counts(), (std::map<std::string, int>{{"Am", 1}, {"Cfb", 1}, {"Csa", 2}}));
    Ui.Steps.push_back(Enter("^Manaus"));
    Ui.Answers.push_back(TUserInterface::TAnswer::Yes);
    Run(CmDelete);
    EXPECT_EQ(counts(), (std::map<std::string, int>{{"Cfb", 1}, {"Csa", 2}}));

    // Painted amid a change, the markers carry the zones of the stations as they are then.
    SwitchColouring();
    Run(CmAllStations);
    const TMyClient::TDatabaseChange change(*Client);
    Client->Markers();    // painted while a dialog of the change is open
    Database.RemoveAt(1); // Freiburg, between the two others
    const std::vector<TMap::TMarker> markers = Client->Markers();
    ASSERT_EQ(markers.size(), 2u);
    for (const TMap::TMarker& marker : markers)
        EXPECT_EQ(marker.Zone, ClimateZoneNumber("Csa")) << marker.Station->Place().Name();
}

} // namespace
