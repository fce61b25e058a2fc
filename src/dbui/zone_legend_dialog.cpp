#include "dbui/zone_legend_dialog.h"

#include "dbui/dialog_frame.h"
#include "dbui/dialog_placement.h"
#include "map/map.h"
#include "render/qt_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace DbUI {

TZoneLegendDialog::TZoneLegendDialog(QWidget* parent) : QDialog(parent, DialogFrame) {
    setWindowTitle(QStringLiteral("Klimazonen"));
    setObjectName(QString::number(Resource));
    setModal(false);

    Zones = new QTreeWidget;
    Zones->setObjectName(QString::number(ZoneList));
    Zones->setHeaderLabels({QStringLiteral("Klimazone"), QStringLiteral("Stationen")});
    Zones->setRootIsDecorated(false);
    Zones->setUniformRowHeights(true);
    Zones->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Zones->header()->setStretchLastSection(false);
    Zones->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    Zones->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    Zones->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    connect(Zones, &QTreeWidget::itemSelectionChanged, this, &TZoneLegendDialog::ChoiceChanged);

    OnlyChosen = new QCheckBox(QStringLiteral("&nur diese Zonen auf der Karte"));
    OnlyChosen->setObjectName(QString::number(OnlyChosenOnMap));
    connect(OnlyChosen, &QCheckBox::toggled, this, &TZoneLegendDialog::ChoiceChanged);

    ShowButton = new QPushButton(QStringLiteral("Stationen &zeigen"));
    ShowButton->setObjectName(QString::number(ShowStationsButton));
    ShowButton->setEnabled(false);
    connect(ShowButton, &QPushButton::clicked, this, [this] {
        if (ShowStations)
            ShowStations(Chosen());
    });
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(ShowButton, QDialogButtonBox::ActionRole);
    QPushButton* close =
        buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Zones);
    layout->addWidget(OnlyChosen);
    layout->addWidget(buttons);
    Fit(parent);
}

// Wide enough for the longest description with its count, high enough for every zone where the
// screen allows; beside the window it belongs to, so that the map stays in view.
void TZoneLegendDialog::Fit(QWidget* parent) {
    const QFontMetrics metrics = Zones->fontMetrics();
    int textWidth = 0;
    for (int zone = 0; zone < ClimateZoneCount; ++zone)
        textWidth =
            std::max(textWidth, metrics.horizontalAdvance(ToQString(ClimateZoneTitle(zone))));
    const int countWidth =
        metrics.horizontalAdvance(QStringLiteral("Stationen")) + 4 * metrics.averageCharWidth();
    // A line as the list draws it, icon and all.
    auto* probe = new QTreeWidgetItem(Zones, {QStringLiteral("Af"), QStringLiteral("1")});
    probe->setIcon(0, QPixmap::fromImage(TMap::ZoneMarker(0, devicePixelRatioF())));
    const int rowHeight = Zones->sizeHintForRow(0);
    delete probe;
    const QMargins around = layout()->contentsMargins();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted(around.left() + Zones->iconSize().width() + textWidth + countWidth +
                           scrollBar + 6 * metrics.averageCharWidth() + around.right(),
                       (ClimateZoneCount + 1) * rowHeight + 3 * OnlyChosen->sizeHint().height() +
                           around.top() + 2 * around.bottom());
    QWidget* beside = parent ? parent->window() : nullptr;
    const QRect workArea = (beside ? beside : this)->screen()->availableGeometry();
    const QMargins frame = FrameMargins(*this);
    const QSize room = workArea.size().shrunkBy(frame);
    resize(wanted.boundedTo(room));
    if (beside)
        move(PlaceBeside(beside->frameGeometry(), size().grownBy(frame), workArea, 8));
}

void TZoneLegendDialog::SetCounts(const std::array<int, ClimateZoneCount>& counts) {
    const TZoneSet chosen = Chosen();
    {
        const QSignalBlocker quiet(Zones);
        Zones->clear();
        const qreal ratio = devicePixelRatioF();
        for (int zone = 0; zone < ClimateZoneCount; ++zone) {
            const int count = counts[static_cast<std::size_t>(zone)];
            if (count == 0)
                continue;
            auto* item = new QTreeWidgetItem(Zones);
            item->setIcon(0, QPixmap::fromImage(TMap::ZoneMarker(zone, ratio)));
            item->setText(0, ToQString(ClimateZoneTitle(zone)));
            item->setData(0, Qt::UserRole, zone);
            item->setText(1, QString::number(count));
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            item->setSelected(chosen[static_cast<std::size_t>(zone)]);
        }
    }
    ChoiceChanged();
}

TZoneSet TZoneLegendDialog::Chosen() const {
    TZoneSet chosen;
    for (const QTreeWidgetItem* item : Zones->selectedItems())
        chosen.set(static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt()));
    return chosen;
}

std::optional<TZoneSet> TZoneLegendDialog::MapZones() const {
    return OnlyChosen->isChecked() ? std::optional(Chosen()) : std::nullopt;
}

void TZoneLegendDialog::ChoiceChanged() {
    ShowButton->setEnabled(Chosen().any());
    const std::optional<TZoneSet> zones = MapZones();
    if (zones == LastMapZones)
        return;
    LastMapZones = zones;
    if (MapZonesChanged)
        MapZonesChanged(zones);
}

} // namespace DbUI
