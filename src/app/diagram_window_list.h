#pragma once

#include "database/database_mgr.h"

#include <algorithm>
#include <string>
#include <vector>

// The bookkeeping of the open diagram windows, without any window: which station each frame
// shows, in the order the frames registered, the limit of 80 windows, stepping from window to
// window and from comparison partner to partner with wrap-around, and the last selection of an
// area, which survives changes of the database by the stations' names.
template <typename Frame>
class TDiagramWindowList {
public:
    static constexpr int MaxWindows = 80;

    struct TWndLink {
        TDiagramData* Station;
        Frame* Window;
    };

    // What opening a selection leads to: the stations that get a window, and whether the limit
    // cut the selection short (Reduced) or left nothing to open (Refused).
    enum class TLimit { None, Reduced, Refused };
    struct TOpening {
        std::vector<TDiagramData*> Stations;
        TLimit Limit = TLimit::None;
    };

    int Count() const { return static_cast<int>(Links.size()); }
    const std::vector<TWndLink>& WindowLinks() const { return Links; }
    bool IsShown(const TDiagramData* station) const { return IndexOfStation(station) >= 0; }

    // The stations of the selection, in order, that have no window yet, as far as the limit
    // allows; a station that is shown, or comes twice, gets one window only.
    TOpening PlanOpening(const std::vector<TDiagramData*>& selection) const {
        TOpening opening;
        for (TDiagramData* station : selection) {
            if (IsShown(station) ||
                std::count(opening.Stations.begin(), opening.Stations.end(), station) > 0)
                continue;
            if (Count() + static_cast<int>(opening.Stations.size()) >= MaxWindows) {
                opening.Limit = opening.Stations.empty() ? TLimit::Refused : TLimit::Reduced;
                break;
            }
            opening.Stations.push_back(station);
        }
        return opening;
    }

    void Register(TDiagramData* station, Frame* window) {
        Links.push_back({station, window});
        station->SetDisplayed(true);
    }

    // Forgets the frame; its station, or null when the frame was not registered.
    TDiagramData* Unregister(const Frame* window) {
        const int index = IndexOfFrame(window);
        if (index < 0)
            return nullptr;
        TDiagramData* station = Links[static_cast<std::size_t>(index)].Station;
        Links.erase(Links.begin() + index);
        station->SetDisplayed(false);
        return station;
    }

    Frame* FrameOf(const TDiagramData* station) const {
        const int index = IndexOfStation(station);
        return index < 0 ? nullptr : Links[static_cast<std::size_t>(index)].Window;
    }
    TDiagramData* StationOf(const Frame* window) const {
        const int index = IndexOfFrame(window);
        return index < 0 ? nullptr : Links[static_cast<std::size_t>(index)].Station;
    }

    // The frame after (forward) or before the given one, the first after the last and the last
    // before the first; null when the frame is not registered.
    Frame* Neighbour(const Frame* window, bool forward) const {
        const int index = IndexOfFrame(window);
        return index < 0 ? nullptr : Links[Step(index, forward)].Window;
    }

    // The comparison partner after (forward) or before the given station, passing over the
    // comparison frame's own station; null when the station has no window.
    TDiagramData* PartnerAfter(const TDiagramData* station, const Frame* comparisonFrame,
                               bool forward) const {
        const int index = IndexOfStation(station);
        if (index < 0)
            return nullptr;
        std::size_t next = Step(index, forward);
        if (Links[next].Window == comparisonFrame)
            next = Step(static_cast<int>(next), forward);
        return Links[next].Station;
    }

    // The last confirmed selection of an area.
    std::vector<TDiagramData*> LastSelection;

    // The names of the last selection, taken before the database changes …
    std::vector<std::string> LastSelectionNames() const {
        std::vector<std::string> names;
        for (const TDiagramData* station : LastSelection)
            names.push_back(station->Place().Name());
        return names;
    }
    // … and the stations of those names that the changed database still holds, in order.
    void RebuildLastSelection(const std::vector<std::string>& names, TDatabaseMgr& database) {
        LastSelection.clear();
        for (const std::string& name : names)
            if (const int index = database.Find(TDiagramData::TPlace(name), -1, true); index >= 0)
                LastSelection.push_back(&database.RecordAt(index));
    }

private:
    int IndexOfFrame(const Frame* window) const {
        const auto found = std::find_if(Links.begin(), Links.end(),
                                        [window](const TWndLink& l) { return l.Window == window; });
        return found == Links.end() ? -1 : static_cast<int>(found - Links.begin());
    }
    int IndexOfStation(const TDiagramData* station) const {
        const auto found = std::find_if(Links.begin(), Links.end(), [station](const TWndLink& l) {
            return l.Station == station;
        });
        return found == Links.end() ? -1 : static_cast<int>(found - Links.begin());
    }
    std::size_t Step(int index, bool forward) const {
        const int count = Count();
        return static_cast<std::size_t>((index + (forward ? 1 : count - 1)) % count);
    }

    std::vector<TWndLink> Links;
};
