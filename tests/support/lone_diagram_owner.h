#pragma once

// The windows around a diagram frame in a test: no other window unless the test gives partners,
// and every request written down.

#include "app/diag_frame.h"
#include "support/scripted_user_interface.h"

#include <QPrinter>
#include <map>
#include <vector>

class TLoneDiagramOwner : public TDiagFrame::TOwner {
public:
    TLoneDiagramOwner() { PdfPrinter.setOutputFormat(QPrinter::PdfFormat); }

    void Activated(TDiagFrame&) override {}
    void Closed(TDiagFrame&) override {}
    TDiagramData* ChoosePartner(TDiagWindow&) override {
        return Partners.empty() ? nullptr : Partners.front();
    }
    TDiagramData* PartnerAfter(const TDiagramData* station, bool forward) override {
        for (std::size_t i = 0; i < Partners.size(); ++i)
            if (Partners[i] == station)
                return Partners[(i + (forward ? 1 : Partners.size() - 1)) % Partners.size()];
        return nullptr;
    }
    QWidget* FrameAfter(const TDiagWindow&, bool) override { return nullptr; }
    void SetCurrentPair(const TDiagramData* station, const TDiagramData* comparison) override {
        Pair = {station, comparison};
    }
    void ComparisonEnded() override { ++ComparisonsEnded; }
    std::optional<int> NegativeStepsOf(const TDiagramData* station) const override {
        const auto found = OwnSteps.find(station);
        return found == OwnSteps.end() ? std::nullopt : std::optional<int>(found->second);
    }
    int WindowCount() const override { return 1 + static_cast<int>(Partners.size()); }
    bool HasLastSelection() const override { return false; }
    void RedrawAll() override { ++Redraws; }
    void Rearrange() override {}
    void RunFrameCommand(int id) override { FrameCommands.push_back(id); }
    void ShowMap() override {}
    void ShowHelp(int topic) override { HelpTopics.push_back(topic); }
    QPrinter& Printer() override { return PdfPrinter; }
    TUserInterface& Ui() override { return Scripted; }
    const std::string& DatabaseFile() const override { return Database; }

    std::vector<TDiagramData*> Partners;
    // The grid intervals below zero of the partners' own windows.
    std::map<const TDiagramData*, int> OwnSteps;
    std::pair<const TDiagramData*, const TDiagramData*> Pair;
    int ComparisonsEnded = 0;
    int Redraws = 0;
    std::vector<int> FrameCommands;
    std::vector<int> HelpTopics;
    QPrinter PdfPrinter{QPrinter::HighResolution};
    TScriptedUserInterface Scripted;
    std::string Database;
};
