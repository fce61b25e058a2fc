#pragma once

#include <string>

// The display settings: how every climate diagram is drawn, printed and copied, and how diagram
// windows are shown, with the location of the program. Every start begins with the defaults.
class TTvxConfig {
public:
    // Takes the running program's location and sets every option to its default.
    TTvxConfig();

    // The full path of the running program file.
    std::string ProgramPath;
    // Its folder with a trailing "/": the place of the resource library, the help file and the
    // database; empty when the path has no folder.
    std::string ProgramDir;

    bool DrawAxes = true;
    bool DrawTemperatureCurve = true;
    bool DrawPrecipitationCurve = true;
    bool DrawGrid = true;
    bool MarkAridHumid = true;
    bool DrawFrame = true;
    bool ThickLines = false;
    bool ColorOutput = false;
    bool ShowPlaceInfo = true;
    bool TableWithoutValues = false;
    bool TableMonthlyOnly = false;
    bool TableComplete = true;
    bool PrecipScaleAuto = true;
    bool PrecipScale1to10 = false;
    bool AxisRatio1to2 = false;
    bool SouthernFromJuly = true;
    bool AlwaysMaximize = true;
    bool CopyAsEmf = true;
    bool LargeSizeOutput = true;
    // The Köppen-Geiger zone below the table's annual values.
    bool ShowClimateZone = false;
    // The stations' markers on the map in the colours of their climate zones.
    bool ColorStationsByZone = false;

    // The table variant in effect: the options are read in this priority.
    enum class TTable { Complete, MonthlyOnly, WithoutValues, None };
    TTable Table() const;
    // Whether the diagram shows the climate zone: only with a table to stand in.
    bool ClimateZoneShown() const { return ShowClimateZone && Table() != TTable::None; }
};
