#include "config/config_dialog.h"

#include "config/tvx_config.h"
#include "dbui/dialog_frame.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

enum class TGroup { Drawing, Information, Output, Map };

// The check boxes, the options they show and the group they stand in, by control id.
struct TCheckBox {
    int Id;
    const char* Text;
    bool TTvxConfig::*Option;
    TGroup Group;
};

constexpr TCheckBox CheckBoxes[] = {
    {4711, "&Achsen zeichnen", &TTvxConfig::DrawAxes, TGroup::Drawing},
    {4701, "&Temperaturkurve zeichnen", &TTvxConfig::DrawTemperatureCurve, TGroup::Drawing},
    {4702, "&Niederschlagskurve zeichnen", &TTvxConfig::DrawPrecipitationCurve, TGroup::Drawing},
    {4705, "&Raster zeichnen", &TTvxConfig::DrawGrid, TGroup::Drawing},
    {4704, "arid/&humid kennzeichnen", &TTvxConfig::MarkAridHumid, TGroup::Drawing},
    {4721, "Rahmen zei&chnen", &TTvxConfig::DrawFrame, TGroup::Drawing},
    {4717, "&Kurven und Achsen dick zeichnen", &TTvxConfig::ThickLines, TGroup::Drawing},
    {4709, "Stationen sü&dlicher Breite ab Juli", &TTvxConfig::SouthernFromJuly,
     TGroup::Information},
    {4706, "&Ortsangaben ausgeben", &TTvxConfig::ShowPlaceInfo, TGroup::Information},
    {4724, "Klima&zone nach Köppen-Geiger", &TTvxConfig::ShowClimateZone, TGroup::Information},
    {4714, "Diagramme &immer maximieren", &TTvxConfig::AlwaysMaximize, TGroup::Output},
    {4712, "Achsen&verhältnis 1:2", &TTvxConfig::AxisRatio1to2, TGroup::Output},
    {4716, "Diagramm &groß drucken/kopieren", &TTvxConfig::LargeSizeOutput, TGroup::Output},
    {4703, "Diagramm &farbig drucken/kopieren", &TTvxConfig::ColorOutput, TGroup::Output},
    {4715, "Diagramme als &EMF kopieren", &TTvxConfig::CopyAsEmf, TGroup::Output},
    {4725, "Stationen nach Klimazone f&ärben", &TTvxConfig::ColorStationsByZone, TGroup::Map},
};

enum : int {
    ScaleAuto = 4710,
    ScaleFifth = 4713,
    ScaleTenth = 4708,
    TableComplete = 4723,
    TableMonthly = 4707,
    TableWithoutValues = 4718,
    TableNone = 4720,
    StandardButton = 4722
};

void AddBoxes(QVBoxLayout* layout, TGroup group, auto add) {
    for (const TCheckBox& box : CheckBoxes)
        if (box.Group == group)
            layout->addWidget(add(box.Id, new QCheckBox(QString::fromUtf8(box.Text))));
}

} // namespace

QAbstractButton* TConfigDialog::Add(int id, QAbstractButton* button) {
    button->setObjectName(QString::number(id));
    Controls[id] = button;
    return button;
}

TConfigDialog::TConfigDialog(TTvxConfig& settings, QWidget* parent)
    : QDialog(parent, DialogFrame), Settings(settings) {
    setWindowTitle(QStringLiteral("Konfiguration"));
    const auto add = [this](int id, QAbstractButton* button) {
        return Add(id, button);
    };
    const auto radios = [&](QGroupBox* box,
                            std::initializer_list<std::pair<int, const char*>> items) {
        auto* layout = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (const auto& [id, text] : items) {
            auto* radio = new QRadioButton(QString::fromUtf8(text));
            group->addButton(radio);
            layout->addWidget(add(id, radio));
        }
    };

    auto* drawing = new QGroupBox(QStringLiteral("Darstellung"));
    auto* drawingLayout = new QVBoxLayout(drawing);
    AddBoxes(drawingLayout, TGroup::Drawing, add);
    auto* scale = new QGroupBox(QStringLiteral("N-Maßstabsverkürzung"));
    radios(scale, {{ScaleAuto, "a&utomatisch"}, {ScaleFifth, "1:&5"}, {ScaleTenth, "1:1&0"}});
    drawingLayout->addWidget(scale);
    drawingLayout->addStretch();

    auto* information = new QGroupBox(QStringLiteral("Diagramm-Informationen"));
    auto* informationLayout = new QVBoxLayout(information);
    AddBoxes(informationLayout, TGroup::Information, add);
    auto* table = new QGroupBox(QStringLiteral("Tabellenausgabe"));
    radios(table, {{TableComplete, "vo&llständig"},
                   {TableMonthly, "nur &Monatswerte"},
                   {TableWithoutValues, "ohne &Werte"},
                   {TableNone, "nicht ausge&ben"}});
    informationLayout->addWidget(table);
    informationLayout->addStretch();

    auto* output = new QGroupBox(QStringLiteral("Ausgabegröße und Ausgabeart"));
    auto* outputLayout = new QVBoxLayout(output);
    AddBoxes(outputLayout, TGroup::Output, add);
    outputLayout->addStretch();
    auto* map = new QGroupBox(QStringLiteral("Karte"));
    AddBoxes(new QVBoxLayout(map), TGroup::Map, add);
    auto* outputColumn = new QVBoxLayout;
    outputColumn->addWidget(output);
    outputColumn->addWidget(map);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    cancel->setObjectName(QStringLiteral("2"));
    auto* standard = new QPushButton(QStringLiteral("&Standard"));
    standard->setObjectName(QString::number(StandardButton));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(standard, &QPushButton::clicked, this, [this] {
        TTvxConfig defaults;
        Load(defaults);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {ok, cancel, standard})
        buttons->addWidget(button);

    auto* groups = new QHBoxLayout;
    for (QGroupBox* group : {drawing, information})
        groups->addWidget(group);
    groups->addLayout(outputColumn);
    auto* layout = new QVBoxLayout(this);
    // The dialog keeps the size its controls need; it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    Load(Settings);
}

void TConfigDialog::Load(const TTvxConfig& settings) {
    for (const TCheckBox& box : CheckBoxes)
        Controls.at(box.Id)->setChecked(settings.*box.Option);
    const int table = settings.TableComplete        ? TableComplete
                      : settings.TableMonthlyOnly   ? TableMonthly
                      : settings.TableWithoutValues ? TableWithoutValues
                                                    : TableNone;
    Controls.at(table)->setChecked(true);
    const int scale = settings.PrecipScaleAuto    ? ScaleAuto
                      : settings.PrecipScale1to10 ? ScaleTenth
                                                  : ScaleFifth;
    Controls.at(scale)->setChecked(true);
}

// Only a confirmed dialog stores its controls; any other end leaves the record as it was.
void TConfigDialog::done(int result) {
    if (result == QDialog::Accepted) {
        for (const TCheckBox& box : CheckBoxes)
            Settings.*box.Option = Controls.at(box.Id)->isChecked();
        Settings.TableComplete = Controls.at(TableComplete)->isChecked();
        Settings.TableMonthlyOnly = Controls.at(TableMonthly)->isChecked();
        Settings.TableWithoutValues = Controls.at(TableWithoutValues)->isChecked();
        Settings.PrecipScaleAuto = Controls.at(ScaleAuto)->isChecked();
        Settings.PrecipScale1to10 = Controls.at(ScaleTenth)->isChecked();
    }
    QDialog::done(result);
}
