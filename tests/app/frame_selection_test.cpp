#include "app/commands.h"
#include "convert/converter_manager.h"
#include "frame_fixture.h"
#include "support/recording_log.h"

#include <QMenu>
#include <QPainter>
#include <QTest>

namespace {

using Strings = std::vector<std::string>;

class MapSelectionTest : public FrameTest {
protected:
    const TMap& Map() const { return Client->CurrentMap(); }
    QPoint PixelOf(const std::string& name) {
        const TPoint at = Map().Projection().ToPixel(GeoPointOf(Station(name)->Coords()));
        return {at.X, at.Y};
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Client, Qt::LeftButton, {}, from);
        QTest::mouseMove(Client, to);
        QTest::mouseRelease(Client, Qt::LeftButton, {}, to);
    }
    // A move that Qt reports with no button held, as after a release the map did not see.
    void MoveWithoutButton(QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, Client->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Client, &move);
    }
    Strings Shown() const {
        Strings names;
        for (const auto& link : Windows().WindowLinks())
            names.push_back(link.Station->Place().Name());
        return names;
    }
    Strings Found(const TPixelRect& pixels) {
        Strings names;
        for (const int index : Map().StationsInArea(pixels, Database))
            names.push_back(Database.RecordAt(index).Place().Name());
        return names;
    }
};

TEST_F(MapSelectionTest, AClickOpensTheMarkerUnderItOrSaysThatNoneIsThere) {
    AddStation("Berlin/Deutschland", -13, 52);
    AddStation("Kairo/Aegypten", -31, 30);
    Run(CmAllStations);
    QTest::mouseClick(Client, Qt::LeftButton, {}, PixelOf("Berlin/Deutschland") + QPoint(4, -5));
    EXPECT_EQ(Shown(), Strings{"Berlin/Deutschland"});
    EXPECT_TRUE(Frame->isMinimized());
    EXPECT_TRUE(Station("Berlin/Deutschland")->IsDisplayed());

    Frame->showNormal();
    QTest::mouseClick(Client, Qt::LeftButton, {}, PixelOf("Kairo/Aegypten") + QPoint(20, 0));
    EXPECT_EQ(Ui.Shown, Strings{"Info: In diesem Bereich sind keine Stationen verfügbar!"});
    EXPECT_EQ(Windows().Count(), 1);
}

// Markers are copies of one drawn marker: they must look as drawing each one does, the current
// station's on top, on pictures of any pixel ratio.
TEST_F(MapSelectionTest, MarkersLookAsIfEachWereDrawn) {
    AddStation("Berlin/Deutschland", -13, 52);
    AddStation("Potsdam/Deutschland", -12, 52);
    const std::vector<const TDiagramData*> stations{Station("Berlin/Deutschland"),
                                                    Station("Potsdam/Deutschland")};
    for (const qreal ratio : {1.0, 2.0}) {
        QImage painted(Map().Size() * ratio, QImage::Format_ARGB32_Premultiplied);
        painted.setDevicePixelRatio(ratio);
        QImage drawn = painted;
        {
            QPainter painter(&painted);
            Map().Paint(painter, {{stations[0]}, {stations[1]}}, TMap::TMarker{stations[1]},
                        TMap::TColours::Plain);
        }
        {
            QPainter painter(&drawn);
            Map().Paint(painter, {}, std::nullopt, TMap::TColours::Plain);
            painter.setRenderHint(QPainter::Antialiasing);
            for (const TDiagramData* station : stations) {
                const QColor color = station == stations[1] ? Qt::blue : Qt::red;
                painter.setPen(color);
                painter.setBrush(color);
                painter.drawEllipse(
                    QRectF(Map().MarkerBox(*station)).adjusted(0.5, 0.5, -0.5, -0.5));
            }
        }
        int differing = 0;
        int largest = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = painted.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                differing += a != b;
                largest =
                    std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(largest, 1) << ratio;
        EXPECT_LT(differing, 40) << ratio;
        const auto colourAt = [&](const TDiagramData* station, int dx) {
            const TPoint at = Map().Projection().ToPixel(GeoPointOf(station->Coords()));
            return painted.pixelColor(QPoint(at.X + dx, at.Y) * ratio);
        };
        EXPECT_EQ(colourAt(stations[1], 0), QColor(Qt::blue)) << ratio;
        EXPECT_EQ(colourAt(stations[0], 3), QColor(Qt::red)) << ratio;
    }
}

TEST_F(MapSelectionTest, OverlappingMarkersAreOfferedInTheListAndBecomeTheLastSelection) {
    AddStation("Potsdam/Deutschland", -13, 52);
    AddStation("Berlin/Deutschland", -14, 52);
    Run(CmAllStations);
    Strings listed;
    Ui.Steps.push_back(ChooseLines({1}, &listed));
    QTest::mouseClick(Client, Qt::LeftButton, {}, PixelOf("Berlin/Deutschland"));
    EXPECT_EQ(Ui.Shown, Strings{"Dialog: Ortauswahl"});
    EXPECT_EQ(listed, (Strings{"Berlin/Deutschland", "Potsdam/Deutschland"}));
    EXPECT_EQ(Shown(), Strings{"Potsdam/Deutschland"});
    EXPECT_TRUE(Frame->Action(CmLastSelection)->isEnabled());

    // The whole list comes again, whatever was chosen.
    listed.clear();
    Ui.Steps.push_back(ChooseLines({}, &listed));
    Run(CmLastSelection);
    EXPECT_EQ(listed, (Strings{"Berlin/Deutschland", "Potsdam/Deutschland"}));
}

// Without markers on show, only an area larger than a marker finds a station.
TEST_F(MapSelectionTest, FivePixelsAreStillAClickSixSearchTheArea) {
    AddStation("Berlin/Deutschland", -13, 52);
    const QPoint berlin = PixelOf("Berlin/Deutschland");
    EXPECT_TRUE(Found({berlin.x() - 2, berlin.y() - 2, berlin.x() + 3, berlin.y() + 3}).empty());
    EXPECT_EQ(Found({berlin.x() - 2, berlin.y() - 3, berlin.x() + 3, berlin.y() + 3}),
              Strings{"Berlin/Deutschland"});
    Drag(berlin - QPoint(2, 2), berlin + QPoint(3, 3));
    EXPECT_EQ(Ui.Shown, Strings{"Info: In diesem Bereich sind keine Stationen verfügbar!"});
    Drag(berlin - QPoint(2, 2), berlin + QPoint(4, 3));
    EXPECT_EQ(Shown(), Strings{"Berlin/Deutschland"});
}

TEST_F(MapSelectionTest, ReversedDragsFindTheSameStations) {
    AddStation("Berlin/Deutschland", -13, 52);
    AddStation("Paris/Frankreich", -2, 49);
    AddStation("Kairo/Aegypten", -31, 30);
    const QPoint topLeft(300, 90);
    const QPoint bottomRight(340, 130);
    for (const auto& [from, to] :
         {std::pair(topLeft, bottomRight), std::pair(bottomRight, topLeft),
          std::pair(QPoint(topLeft.x(), bottomRight.y()), QPoint(bottomRight.x(), topLeft.y()))}) {
        Strings listed;
        Ui.Steps.push_back([&](QDialog& dialog) {
            ChooseLines({}, &listed)(dialog);
            return static_cast<int>(QDialog::Rejected);
        });
        Drag(from, to);
        EXPECT_EQ(listed, (Strings{"Berlin/Deutschland", "Paris/Frankreich"}));
    }
    EXPECT_EQ(Windows().Count(), 0);
    EXPECT_FALSE(Frame->Action(CmLastSelection)->isEnabled()); // nothing was confirmed
}

// Stations on the western (x = right) or northern (y = bottom) edge belong to the next area. The
// world map's Greenwich meridian and equator lie exactly on pixels.
TEST_F(MapSelectionTest, TheWesternAndNorthernEdgesAreNotPartOfTheArea) {
    AddStation("Ost", 0, 10);
    AddStation("Sued", 10, 0);
    AddStation("West", 0, -10);
    AddStation("Nord", -10, 0);
    EXPECT_EQ(Found({273, 180, 313, 220}), (Strings{"Ost", "Sued"}));
    EXPECT_TRUE(Found({313, 220, 353, 260}).empty());
}

TEST_F(MapSelectionTest, AreasNearThePolesReachThem) {
    AddStation("Nordpol", 0, 90);
    AddStation("Suedpol", 0, -90);
    // The rows of the world map end at 80°N and near 71°S.
    const TPixelRect north{300, 0, 330, 30};
    ASSERT_GT(Map().Projection().ToGeographic(north).Bottom, 79);
    EXPECT_EQ(Found(north), Strings{"Nordpol"});
    const TPixelRect belowNorth{300, 12, 330, 40};
    ASSERT_LE(Map().Projection().ToGeographic(belowNorth).Bottom, 79);
    EXPECT_TRUE(Found(belowNorth).empty());

    const TPixelRect south{300, 370, 330, 399};
    ASSERT_LT(Map().Projection().ToGeographic(south).Top, -64);
    EXPECT_EQ(Found(south), Strings{"Suedpol"});
}

TEST_F(MapSelectionTest, TheStatusBarShowsTheCornersWhileDragging) {
    AddStation("Berlin/Deutschland", -13, 52);
    QTest::mousePress(Client, Qt::LeftButton, {}, QPoint(313, 220));
    EXPECT_EQ(Frame->statusBar()->currentMessage(), "0°N/0°W - 0°N/0°W");
    QTest::mouseMove(Client, QPoint(300, 215));
    EXPECT_EQ(Frame->statusBar()->currentMessage(), "0°N/0°W - 3°N/8°W");
    EXPECT_EQ(Client->RubberBand(), QRect(QPoint(300, 215), QPoint(313, 220)));
    QTest::mouseRelease(Client, Qt::LeftButton, {}, QPoint(300, 215));
    EXPECT_TRUE(Frame->statusBar()->currentMessage().isEmpty());
    EXPECT_FALSE(Client->RubberBand());
}

// Boxes from just larger than a marker to several times its size, centred on the marker of any
// station of the starter database, find that station on both maps.
TEST_F(MapSelectionTest, ABoxAroundAMarkerFindsItsStation) {
    TRecordingLog log;
    for (const TDiagramData& station : ConverterManager::Instance()
                                           .Find("CSV (durch Semikola getrennte Liste)")
                                           ->Import(PELVANOR_STATIONS_CSV, log))
        Database.Add(station, false);
    ASSERT_GT(Database.Count(), 90);
    // The first box that misses a station, for each station missed.
    Strings missed;
    for (int map = 0; map < 2; ++map, Client->ToggleMap())
        for (int index = 0; index < Database.Count(); ++index) {
            const TDiagramData& station = Database.RecordAt(index);
            if (!Client->WorldMapShown() && !InEuropeArea(GeoPointOf(station.Coords())))
                continue;
            const std::string& name = station.Place().Name();
            const QPoint at = PixelOf(name);
            for (int size = 6; size <= 24; ++size) {
                const int left = at.x() - size / 2;
                const int top = at.y() - size / 2;
                const Strings found = Found({left, top, left + size, top + size});
                if (std::find(found.begin(), found.end(), name) == found.end()) {
                    missed.push_back((Client->WorldMapShown() ? "Welt: " : "Europa: ") + name +
                                     ", " + std::to_string(size));
                    break;
                }
            }
        }
    EXPECT_EQ(missed, Strings{});
}

// However the map loses the mouse while a rectangle is dragged, the rectangle and its text go,
// and nothing is selected.
TEST_F(MapSelectionTest, LosingTheMouseEndsADragWithoutASelection) {
    AddStation("Berlin/Deutschland", -13, 52);
    Frame->UpdateCommands();
    Frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
    const QPoint from(300, 215);
    const QPoint to(340, 240);
    QWidget otherWindow;
    const std::pair<const char*, std::function<void()>> losses[] = {
        {"a search by Strg+S, the button released in its dialog",
         [&] {
             Ui.Steps.push_back([](QDialog& search) {
                 search.setWindowModality(Qt::ApplicationModal);
                 search.show();
                 QTest::mouseRelease(&search, Qt::LeftButton);
                 return static_cast<int>(QDialog::Rejected);
             });
             QTest::keyClick(Frame.get(), Qt::Key_S, Qt::ControlModifier);
             ASSERT_EQ(Ui.Shown, Strings{"Dialog: Suche Station..."});
             Ui.Shown.clear();
         }},
        {"another window",
         [&] {
             otherWindow.show();
             otherWindow.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&otherWindow));
             otherWindow.hide();
             Frame->activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
         }},
        {"Escape",
         [&] {
             QTest::keyClick(Frame.get(), Qt::Key_Escape);
         }},
        {"a button gone up elsewhere",
         [&] {
             MoveWithoutButton(to);
         }},
    };
    for (const auto& [loss, lose] : losses) {
        SCOPED_TRACE(loss);
        QTest::mousePress(Client, Qt::LeftButton, {}, from);
        QTest::mouseMove(Client, to);
        ASSERT_TRUE(Client->RubberBand());
        lose();
        EXPECT_FALSE(Client->RubberBand());
        EXPECT_TRUE(Frame->statusBar()->currentMessage().isEmpty());
        // Moves and a late release do nothing more.
        MoveWithoutButton(from);
        QTest::mouseRelease(Client, Qt::LeftButton, {}, to);
        EXPECT_FALSE(Client->RubberBand());
        EXPECT_EQ(Ui.Shown, Strings{});
    }
}

TEST_F(MapSelectionTest, TheContextMenuComesOnRightButtonUpAndOnShiftFTen) {
    QTest::mousePress(Client, Qt::RightButton, {}, QPoint(100, 100));
    QMenu* menu = Frame->ContextMenu();
    EXPECT_FALSE(menu->isVisible());
    QTest::mouseRelease(Client, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_TRUE(menu->isVisible());
    std::string items;
    for (QAction* item : menu->actions())
        items += item->isSeparator() ? "| " : item->objectName().toStdString() + " ";
    EXPECT_EQ(items, "1011 | 1041 1042 1043 | 1026 ");
    menu->hide();

    Frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame.get()));
    QTest::keyClick(Frame.get(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

} // namespace
