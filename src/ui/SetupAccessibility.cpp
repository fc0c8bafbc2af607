#include "ui/SetupAccessibility.h"

#include "settings/FieldTable.h"
#include "ui/SetupControls.h"

#include <QColor>
#include <QLabel>
#include <QWidget>
#include <cmath>

namespace korvel {
namespace {

QString FromStd(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The description: the field table's words, then the tooltip's, less the
// length limit that the table's words already give ("up to 34 characters").
QString Description(Field field, const QWidget* control) {
    QString description = FromStd(DescriptionOf(field));
    const QString tip = control->toolTip().remove(LengthLimitTip(field)).trimmed();
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

void DescribeSetupControls(const SetupControls& controls) {
    for (const FieldTraits& traits : AllFields()) {
        QWidget* control = controls.control(traits.field);
        control->setAccessibleName(FromStd(AccessibleNameOf(traits.field)));
        control->setAccessibleDescription(Description(traits.field, control));
    }
    for (const auto& [label, field] : controls.labels) {
        label->setBuddy(controls.control(field));
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
