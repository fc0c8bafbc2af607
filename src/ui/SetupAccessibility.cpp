#include "ui/SetupAccessibility.h"

#include "settings/FieldTable.h"
#include "ui/SetupControls.h"

#include <QColor>
#include <QLabel>
#include <QWidget>
#include <array>
#include <cmath>
#include <utility>

namespace korvel {
namespace {

// Every label of the window and the control it speaks of: the caption, and
// the units and notes beside the field.
constexpr std::array<std::pair<const char*, Field>, 37> kLabelFor = {{
    {"Label8", Field::edNumFlagsAuto},  {"Label10", Field::edNumFlagsAuto},
    {"Label12", Field::cbMicEMsg},      {"Label7", Field::edSymbol},
    {"Label4", Field::edMyCall},        {"Label30", Field::edBcnEvery},
    {"Label32", Field::edBcnEvery},     {"Label5", Field::edAprsPath},
    {"Label6", Field::edBeacon},        {"Label34", Field::edBeacon},
    {"Label15", Field::edManualTime},   {"Label29", Field::edManualTime},
    {"Label36", Field::edGpsCheckTime}, {"Label37", Field::edGpsCheckTime},
    {"Label35", Field::edGpsCheckTime}, {"Label9", Field::edGpsAcqTime},
    {"Label11", Field::edGpsAcqTime},   {"Label33", Field::edGpsAcqTime},
    {"Label22", Field::esSpeedTable0},  {"Label14", Field::esSpeedTable0},
    {"Label23", Field::esSpeedTable1},  {"Label16", Field::esSpeedTable1},
    {"Label24", Field::esSpeedTable2},  {"Label17", Field::esSpeedTable2},
    {"Label25", Field::esSpeedTable3},  {"Label18", Field::esSpeedTable3},
    {"Label26", Field::esSpeedTable4},  {"Label19", Field::esSpeedTable4},
    {"Label27", Field::esSpeedTable5},  {"Label20", Field::esSpeedTable5},
    {"Label28", Field::esSpeedTable6},  {"Label21", Field::esSpeedTable6},
    {"Label13", Field::edReceiver},     {"Label31", Field::edMsgRepeat},
    {"Label2", Field::edDestCall},      {"Label3", Field::edAprsMsg},
    {"Label1", Field::edComm},
}};

QString FromStd(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The description: the field table's words, then the tooltip's.
QString Description(Field field, const QWidget* control) {
    QString description = FromStd(DescriptionOf(field));
    const QString tip = control->toolTip();
    if (!tip.isEmpty()) {
        description += description.isEmpty() ? tip : QStringLiteral(". ") + tip;
    }
    return description;
}

double Channel(double value) {
    value /= 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Channel(colour.red()) + 0.7152 * Channel(colour.green()) +
           0.0722 * Channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double one = Luminance(a);
    const double other = Luminance(b);
    const double dark = std::min(one, other);
    const double light = std::max(one, other);
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

void DescribeSetupControls(QWidget* window, const SetupControls& controls) {
    for (const FieldTraits& traits : AllFields()) {
        QWidget* control = controls.control(traits.field);
        control->setAccessibleName(FromStd(AccessibleNameOf(traits.field)));
        control->setAccessibleDescription(Description(traits.field, control));
    }
    for (const auto& [name, field] : kLabelFor) {
        if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name))) {
            label->setBuddy(controls.control(field));
        }
    }
}

QColor ReadableGreen(const QColor& background) {
    int green = 128;
    while (green > 0 && Contrast(QColor(0, green, 0), background) < 4.5) {
        --green;
    }
    return QColor(0, green, 0);
}

} // namespace korvel
