#pragma once

#include <QWidget>
#include <functional>

class TDiagWindow;
class TDiagramData;
class TTvxConfig;

// The top-level window of one diagram: the station's name as title, the diagram view as its
// only content, no sizing border (the arrangement sets its place and size). It is made hidden;
// when it closes it tells its owner, which forgets it and deletes it.
class TDiagFrame : public QWidget {
public:
    TDiagFrame(const TTvxConfig& settings, TDiagramData& station,
               std::function<void(TDiagFrame*)> closed);

    TDiagWindow& View() const { return *DiagramView; }
    // Puts the whole frame, caption and border included, on the place the arrangement gave it.
    void Place(const QRect& geometry);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TDiagWindow* DiagramView;
    std::function<void(TDiagFrame*)> Closed;
};
