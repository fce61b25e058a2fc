#include "app/diagram_windows.h"

#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "app/window_arrangement.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"
#include "diagram/diag_window.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStyle>
#include <algorithm>

TDiagramWindows::TDiagramWindows(TMyClient& client, TDatabaseMgr& database,
                                 const TTvxConfig& settings, TUserInterface& ui)
    : Client(client), Database(database), Settings(settings), UserInterface(ui) {
}

TDiagramWindows::~TDiagramWindows() {
    Comparing = nullptr;
    Destroying = true;
    std::vector<TDiagFrame*> frames;
    for (const auto& link : List.WindowLinks())
        frames.push_back(link.Window);
    for (TDiagFrame* frame : frames) {
        List.Unregister(frame);
        delete frame;
    }
}

QWidget& TDiagramWindows::MainFrame() const {
    return *Client.window();
}

QSize TDiagramWindows::Decoration() const {
    return MainFrame().frameGeometry().size() - MainFrame().size();
}

void TDiagramWindows::Open(const std::vector<int>& selection) {
    // An empty choice opens nothing and leaves the screen as it is.
    if (selection.empty())
        return;
    std::vector<TDiagramData*> stations;
    for (const int index : selection)
        stations.push_back(&Database.RecordAt(index));
    const auto opening = List.PlanOpening(stations);
    {
        const TWaitCursor wait;
        for (TDiagramData* station : opening.Stations) {
            auto* frame = new TDiagFrame(Settings, *station, *this);
            List.Register(station, frame);
            Client.StationOpened(*station);
        }
        if (!opening.Stations.empty())
            Client.ShownStationsChanged();
    }
    // A selection made while comparing brings its first station below the comparing one.
    if (Comparing && !stations.empty() && opening.Limit != decltype(List)::TLimit::Refused)
        Comparing->View().SetComparison(stations.front());
    const QString limit =
        QStringLiteral("Es können nur maximal 80 Diagramme gleichzeitig angezeigt werden!");
    if (opening.Limit == decltype(List)::TLimit::Refused) {
        UserInterface.Error(&MainFrame(), limit);
        return;
    }
    if (opening.Limit == decltype(List)::TLimit::Reduced)
        UserInterface.Inform(
            &MainFrame(), limit + QStringLiteral("\n\nDie Auswahl wurde entsprechend reduziert."),
            QStringLiteral("Warnung"), TUserInterface::TIcon::Exclamation);
    Active = nullptr;
    Hold = false;
    if (MainFrame().isMinimized())
        Arrange();
    else
        MainFrame().showMinimized(); // the frame then arranges the windows
}

void TDiagramWindows::Arrange() {
    // While the map is on show every diagram window stays hidden; the windows come when the
    // main frame is minimised.
    if (List.Count() == 0 || !MainFrame().isMinimized()) {
        Hold = false;
        return;
    }
    const QSize decoration = Decoration();
    const QStyle* style = QApplication::style();
    const int step = decoration.height() > 0
                         ? decoration.height()
                         : style->pixelMetric(QStyle::PM_TitleBarHeight) +
                               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QRect workArea = MainFrame().screen()->availableGeometry();
    if (Comparing) {
        Comparing->Place(workArea, decoration);
        Comparing->show();
        Comparing->raise();
        Comparing->activateWindow();
        Hold = false;
        return;
    }
    const auto places =
        ArrangeDiagramWindows(List.Count(), workArea, step, Settings.AlwaysMaximize);
    const auto& links = List.WindowLinks();
    for (std::size_t i = 0; i < links.size(); ++i)
        links[i].Window->Place(places[i], decoration);
    for (const auto& link : links)
        link.Window->show();
    TDiagFrame* top = Active ? Active : links.back().Window;
    top->raise();
    top->activateWindow();
    Hold = false;
}

void TDiagramWindows::HideForMap() {
    Hold = true;
    Hide();
}

void TDiagramWindows::Hide() {
    const TDiagramData* current = Current;
    const TDiagramData* comparison = CurrentComparison;
    for (const auto& link : List.WindowLinks()) {
        link.Window->setWindowState(Qt::WindowNoState);
        link.Window->hide();
    }
    Current = current;
    CurrentComparison = comparison;
}

void TDiagramWindows::Activated(TDiagFrame& frame) {
    Current = &frame.View().Station();
    CurrentComparison = frame.View().Comparison();
    if (!Hold)
        Active = &frame;
    Client.update();
}

void TDiagramWindows::Remove(TDiagFrame& frame) {
    // A frame that goes is never kept as the active one, hold or not.
    if (&frame == Active)
        Active = nullptr;
    EndComparisonWith(frame);
    TDiagramData* station = List.Unregister(&frame);
    if (station == Current) {
        Current = nullptr;
        CurrentComparison = nullptr;
    }
    if (station)
        Client.StationClosed(*station);
    frame.deleteLater();
}

void TDiagramWindows::Closed(TDiagFrame& frame) {
    Remove(frame);
    if (BulkClosing || Destroying)
        return;
    Client.ShownStationsChanged();
    if (List.Count() == 0) {
        Client.AllDiagramsClosed();
        MainFrame().showNormal();
    } else {
        Arrange();
    }
}

void TDiagramWindows::Close(const std::vector<const TDiagramData*>& stations) {
    BulkClosing = true;
    bool closed = false;
    for (const TDiagramData* station : stations) {
        if (TDiagFrame* frame = List.FrameOf(station)) {
            frame->hide();
            Remove(*frame);
            closed = true;
        }
    }
    if (closed)
        Client.ShownStationsChanged();
    if (closed && List.Count() == 0 && !Exiting) {
        Client.AllDiagramsClosed();
        MainFrame().showNormal();
    }
    BulkClosing = false;
    Hold = false;
}

void TDiagramWindows::CloseAllForExit() {
    Exiting = true;
    CloseAll();
}

void TDiagramWindows::CloseAll() {
    std::vector<const TDiagramData*> stations;
    for (const auto& link : List.WindowLinks())
        stations.push_back(link.Station);
    Close(stations);
}

void TDiagramWindows::RedrawAll() {
    for (const auto& link : List.WindowLinks()) {
        link.Window->View().InvalidatePicture();
        link.Window->View().update();
    }
}

void TDiagramWindows::SetLastSelection(const std::vector<int>& stations) {
    List.LastSelection.clear();
    for (const int index : stations)
        List.LastSelection.push_back(&Database.RecordAt(index));
}

void TDiagramWindows::ShowLastSelection() {
    TDbUISearch::TDbUIListDialog list(Database, &MainFrame(), true);
    {
        const TWaitCursor wait;
        for (const TDiagramData* station : List.LastSelection)
            if (const int index = Database.IndexOf(station); index >= 0)
                list.Add(index);
    }
    if (UserInterface.Execute(list) == QDialog::Accepted)
        Open(list.Selection());
}

void TDiagramWindows::BeforeDatabaseChange() {
    RememberedSelection = List.LastSelectionNames();
}

void TDiagramWindows::AfterDatabaseChange() {
    List.RebuildLastSelection(RememberedSelection, Database);
    RememberedSelection.clear();
}

void TDiagramWindows::EndComparisonWith(TDiagFrame& frame) {
    if (!Comparing ||
        (&frame != Comparing && Comparing->View().Comparison() != &frame.View().Station()))
        return;
    ComparisonClosing = true;
    Comparing->View().SetComparison(nullptr);
    ComparisonEnded();
}

// The other open stations, of which the user chooses one; the asking window then compares
// alone on the whole work area.
TDiagramData* TDiagramWindows::ChoosePartner(TDiagWindow& view) {
    // In the database's order, which is that of the names.
    std::vector<int> partners;
    for (const auto& link : List.WindowLinks())
        if (&link.Window->View() != &view)
            if (const int index = Database.IndexOf(link.Station); index >= 0)
                partners.push_back(index);
    std::sort(partners.begin(), partners.end());
    TDbUISearch::TDbUIListDialog list(Database, &view, false);
    for (const int index : partners)
        list.Add(index);
    if (UserInterface.Execute(list) != QDialog::Accepted || list.Selection().empty())
        return nullptr;
    TDiagramData* partner = &Database.RecordAt(list.Selection().front());
    Hide();
    Comparing = dynamic_cast<TDiagFrame*>(view.window());
    Arrange();
    return partner;
}

TDiagramData* TDiagramWindows::PartnerAfter(const TDiagramData* station, bool forward) {
    return Comparing ? List.PartnerAfter(station, Comparing, forward) : nullptr;
}

QWidget* TDiagramWindows::FrameAfter(const TDiagWindow& view, bool forward) {
    return Comparing ? nullptr : List.Neighbour(dynamic_cast<TDiagFrame*>(view.window()), forward);
}

void TDiagramWindows::SetCurrentPair(const TDiagramData* station, const TDiagramData* comparison) {
    Current = station;
    CurrentComparison = comparison;
    Client.update();
}

void TDiagramWindows::ComparisonEnded() {
    if (ComparisonClosing) {
        ComparisonClosing = false;
        Comparing = nullptr;
        return;
    }
    if (!Comparing)
        return;
    TDiagFrame* frame = Comparing;
    frame->setWindowState(Qt::WindowNoState);
    frame->hide();
    Comparing = nullptr;
    Hold = true;
    Arrange();
}

std::optional<int> TDiagramWindows::NegativeStepsOf(const TDiagramData* station) const {
    if (const TDiagFrame* frame = List.FrameOf(station))
        return frame->View().NegativeSteps();
    return std::nullopt;
}

void TDiagramWindows::Rearrange() {
    Hide();
    Arrange();
}

void TDiagramWindows::RunFrameCommand(int id) {
    if (auto* frame = dynamic_cast<TMyFrame*>(&MainFrame())) {
        frame->UpdateCommands();
        frame->Action(id)->trigger();
    }
}

void TDiagramWindows::ShowMap() {
    MainFrame().showNormal(); // the frame then hides the diagram windows
    MainFrame().raise();
    MainFrame().activateWindow();
}

void TDiagramWindows::ShowHelp(int topic) {
    if (auto* frame = dynamic_cast<TMyFrame*>(&MainFrame()))
        frame->ShowHelp(topic);
}

const std::string& TDiagramWindows::DatabaseFile() const {
    return Database.FileName();
}

// Made when first asked for; without any printer it prints into a PDF file.
QPrinter& TDiagramWindows::Printer() {
    if (!SharedPrinter) {
        SharedPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinters().isEmpty())
            SharedPrinter->setOutputFormat(QPrinter::PdfFormat);
    }
    return *SharedPrinter;
}
