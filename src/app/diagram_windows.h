#pragma once

#include "app/diag_frame.h"
#include "app/diagram_window_list.h"

#include <QString>
#include <memory>
#include <string>
#include <vector>

class QPrinter;
class TDatabaseMgr;
class TMyClient;
class TTvxConfig;
class TUserInterface;

// The diagram windows of the client: opens them for a selection of stations (80 at most), lays
// them out on the work area while the main frame is minimised and hides them while the map is on
// show, closes them singly or together, keeps the map's markers and tooltips in step, and
// keeps the last selection of an area across changes of the database. While one window compares
// its station with another's, it alone is on show.
class TDiagramWindows : private TDiagFrame::TOwner {
public:
    TDiagramWindows(TMyClient& client, TDatabaseMgr& database, const TTvxConfig& settings,
                    TUserInterface& ui);
    // Deletes every frame without arranging the others again.
    ~TDiagramWindows();
    TDiagramWindows(const TDiagramWindows&) = delete;
    TDiagramWindows& operator=(const TDiagramWindows&) = delete;

    int Count() const { return List.Count(); }
    const std::vector<TDiagramWindowList<TDiagFrame>::TWndLink>& WindowLinks() const {
        return List.WindowLinks();
    }
    TDiagFrame* FrameOf(const TDiagramData* station) const { return List.FrameOf(station); }
    TDiagFrame* ActiveFrame() const { return Active; }
    bool HasLastSelection() const override { return !List.LastSelection.empty(); }
    // The frame whose view compares, or null.
    TDiagFrame* ComparisonFrame() const { return Comparing; }
    // The station of the diagram window last activated, marked in blue on the map.
    const TDiagramData* CurrentStation() const { return Current; }

    // Opens windows for the stations (record indices) that have none, as far as the limit
    // allows, and brings the diagrams on show.
    void Open(const std::vector<int>& selection);
    // Lays the windows out on the work area and shows them, the active one on top.
    void Arrange();
    // Hides every window; the main frame was restored, so no window may become active on the way.
    void HideForMap();
    // Closes the windows of these stations in one go; the others stay where they are.
    void Close(const std::vector<const TDiagramData*>& stations);
    void CloseAll();
    // The program ends: every window goes at once, a comparing one too, and the map is not
    // brought back.
    void CloseAllForExit();
    // Every view draws its picture anew.
    void RedrawAll() override;

    // The stations found by the last area selection (record indices), offered again by
    // ShowLastSelection.
    void SetLastSelection(const std::vector<int>& stations);
    void ShowLastSelection();
    // Around a change of the database, which the last selection survives by name.
    void BeforeDatabaseChange();
    void AfterDatabaseChange();

private:
    void Activated(TDiagFrame& frame) override;
    void Closed(TDiagFrame& frame) override;
    // What the views ask.
    TDiagramData* ChoosePartner(TDiagWindow& view) override;
    TDiagramData* PartnerAfter(const TDiagramData* station, bool forward) override;
    QWidget* FrameAfter(const TDiagWindow& view, bool forward) override;
    void SetCurrentPair(const TDiagramData* station, const TDiagramData* comparison) override;
    void ComparisonEnded() override;
    std::optional<int> NegativeStepsOf(const TDiagramData* station) const override;
    int WindowCount() const override { return Count(); }
    void Rearrange() override;
    void RunFrameCommand(int id) override;
    void ShowMap() override;
    void ShowHelp(int topic) override;
    QPrinter& Printer() override;
    TUserInterface& Ui() override { return UserInterface; }
    const std::string& DatabaseFile() const override;
    // Ends the comparison of the comparing frame when this frame, or the partner's, goes.
    void EndComparisonWith(TDiagFrame& frame);
    // Forgets a frame and its station's tools; the frame is deleted once its events are over.
    void Remove(TDiagFrame& frame);
    void Hide();
    QWidget& MainFrame() const;
    // The main frame's caption and border, which diagram frames share.
    QSize Decoration() const;

    TMyClient& Client;
    TDatabaseMgr& Database;
    const TTvxConfig& Settings;
    TUserInterface& UserInterface;
    TDiagramWindowList<TDiagFrame> List;
    TDiagFrame* Active = nullptr;
    TDiagFrame* Comparing = nullptr;
    // Set while the comparison of a frame that goes is ended.
    bool ComparisonClosing = false;
    std::unique_ptr<QPrinter> SharedPrinter;
    const TDiagramData* Current = nullptr;
    const TDiagramData* CurrentComparison = nullptr;
    // Set while the main frame is restored, until the next arranging, opening or closing.
    bool Hold = false;
    bool BulkClosing = false;
    bool Exiting = false;
    bool Destroying = false;
    std::vector<std::string> RememberedSelection;
};
