#pragma once

#include "database/counting_merge_handler.h"

#include <QDialog>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QWidget;
class TUserInterface;

namespace DbUI {

class TDbUIMerge {
public:
    class TDbUIMergeInfoDialog;
    class TDbUIMergeQueryDialog;
};

// "Zusammenführen": how many incoming stations were identical, added, replaced and ignored so
// far. Shown without a modal loop while a merge runs.
class TDbUIMerge::TDbUIMergeInfoDialog : public QDialog {
public:
    static constexpr int Resource = 44;

    explicit TDbUIMergeInfoDialog(QWidget* parent);

    void SetCounts(const TCountingMergeHandler::TCounts& counts);

private:
    // 4401 identical, 4402 added, 4403 replaced, 4404 ignored.
    std::array<QLabel*, 4> Counters;
};

// "Zusammenführen": an incoming station beside the existing one it resembles or is named like.
// The dialog ends with the id of the button pressed; closing it ends it with Rejected.
class TDbUIMerge::TDbUIMergeQueryDialog : public QDialog {
public:
    static constexpr int Resource = 45;
    enum TButton : int {
        Replace = 4505,
        Ignore = 4506,
        ReplaceAll = 4507,
        IgnoreAll = 4508,
        Add = 4509,
        AddAll = 4510
    };

    // A station cannot be added beside one of the same name: then both add buttons are off.
    TDbUIMergeQueryDialog(QWidget* parent, const TDiagramData& existing,
                          const TDiagramData& incoming);
};

// Lets the application work off its waiting events when it goes out of scope, so that the
// windows repaint during a long merge. User input stays queued until the merge is over: a
// command started in the middle of a merge would find the database half merged.
class Updater {
public:
    Updater() = default;
    ~Updater();
    Updater(const Updater&) = delete;
    Updater& operator=(const Updater&) = delete;
};

// Shows the counts of a merge in the status dialog for as long as the handler lives, and asks
// the user about every station that needs a decision while none stands for all of them.
class GUIMergeHandler : public TCountingMergeHandler {
public:
    GUIMergeHandler(QWidget* parent, TUserInterface& ui);
    ~GUIMergeHandler() override;
    GUIMergeHandler(const GUIMergeHandler&) = delete;
    GUIMergeHandler& operator=(const GUIMergeHandler&) = delete;

protected:
    TAnswer Ask(const TDiagramData& existing, const TDiagramData& incoming) override;
    void CountsChanged() override;

private:
    void PlaceBelowTheCounters(QDialog& query) const;

    TUserInterface& Ui;
    std::unique_ptr<TDbUIMerge::TDbUIMergeInfoDialog> InfoDialog;
};

} // namespace DbUI
