#pragma once

#include "diagram/diag_commands.h"
#include "diagram/diagram_drawing.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <map>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QPrinter;
class TDiagramData;
class TTvxConfig;
class TUserInterface;

// The view of one station's climate diagram inside its diagram frame: the station, perhaps a
// comparison station below it with its curves overlaid, and the picture fitted into the window.
// The picture is drawn once into a cached bitmap, always in colour, as sharp as the screen
// allows; painting copies the bitmap, and only a new size or a changed picture draws it again.
// Its commands compare, print, copy, save and export the picture, and step through the windows.
class TDiagWindow : public QWidget {
public:
    // What the view needs from the windows around it.
    class TClient {
    public:
        // The station of another open window that the user chose as partner, or null.
        virtual TDiagramData* ChoosePartner(TDiagWindow& view) = 0;
        // While comparing, the station of the window after (or before) the partner's, passing
        // over the comparing window; otherwise null.
        virtual TDiagramData* PartnerAfter(const TDiagramData* station, bool forward) = 0;
        // While not comparing, the window after (or before) this view's; otherwise null.
        virtual QWidget* FrameAfter(const TDiagWindow& view, bool forward) = 0;
        virtual void SetCurrentPair(const TDiagramData* station,
                                    const TDiagramData* comparison) = 0;
        // The user ended the view's comparison.
        virtual void ComparisonEnded() = 0;
        // The grid intervals below zero of the station's own window, if one is open.
        virtual std::optional<int> NegativeStepsOf(const TDiagramData* station) const = 0;
        virtual int WindowCount() const = 0;
        virtual bool HasLastSelection() const = 0;
        virtual void RedrawAll() = 0;
        virtual void Rearrange() = 0;
        // The main frame's commands of these ids (configuration, last selection, closing all),
        // the map, and a help topic.
        virtual void RunFrameCommand(int id) = 0;
        virtual void ShowMap() = 0;
        virtual void ShowHelp(int topic) = 0;
        // The printer with its settings, the same for every window while the program runs.
        virtual QPrinter& Printer() = 0;
        virtual TUserInterface& Ui() = 0;
        // The file of the program's database, which no picture or export may overwrite.
        virtual const std::string& DatabaseFile() const = 0;

    protected:
        ~TClient() = default;
    };

    TDiagWindow(const TTvxConfig& settings, TDiagramData& station, TClient& client,
                QWidget* parent = nullptr);
    ~TDiagWindow() override;

    TDiagramData& Station() const { return *ShownStation; }
    TDiagramData* Comparison() const { return ComparisonStation; }
    bool IsComparing() const { return ComparisonStation != nullptr; }
    bool IsOverlayShown() const { return OverlayShown; }
    int NegativeSteps() const { return StationNegativeSteps; }
    // Every diagram from -20 °C, in every window, while the program runs.
    static bool ZeroAxisFixed();

    // A comparison station below the own one, or none; the own station or the present partner
    // changes nothing.
    void SetComparison(TDiagramData* comparison);
    // The next (forward) or previous partner while comparing, else the next or previous window.
    void Step(bool forward);
    // Whether the window may close: a comparing window only ends its comparison.
    bool CanClose();
    void RunCommand(TDiagCommandId id);
    // The popup menu with its texts and states brought up to date.
    QMenu& PopupMenu();
    QAction* Action(TDiagCommandId id) const { return Actions.at(id); }

    // One printed page: the picture at its true size at the origin of the printable area, in
    // the document the title names.
    class TDiagPrintout {
    public:
        TDiagPrintout(QString title, const TDiagWindow& window)
            : Title(std::move(title)), Window(window) {}
        // Prints page 1, the only one; false when the printer could not begin.
        bool Print(QPrinter& printer) const;

    private:
        QString Title;
        const TDiagWindow& Window;
    };

    // The output of the picture, at its true size.
    void Print();
    void Copy();
    void Save();
    void Export();
    // The picture as copy, save and print draw it.
    TDiagramContent Content() const;

    // Drops the cached bitmap, so that the next paint draws the picture anew: of the whole window,
    // or of its lower half only.
    void InvalidatePicture(bool whole = true);
    // The picture as the window shows it (empty before the first paint), and how often it was
    // drawn.
    const QImage& CachedBitmap() const { return Bitmap; }
    int PictureDrawings() const { return Drawings; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCommands();
    TDiagCommandState CommandState() const;
    // The menu's texts, states and check mark.
    void UpdateCommands();
    void ToggleComparison();
    void ToggleOverlay();
    void ToggleZeroAxis();
    void ShowPopupMenu(const QPoint& globalPosition);
    void DrawPicture();
    QString Caption() const;

    const TTvxConfig& Settings;
    TDiagramData* ShownStation;
    TClient& Client;
    TDiagramData* ComparisonStation = nullptr;
    bool OverlayShown = false;
    int StationNegativeSteps;
    int ComparisonNegativeSteps = 0;
    QImage Bitmap;
    int Drawings = 0;
    std::map<TDiagCommandId, QAction*> Actions;
    QMenu* Menu = nullptr;
};
