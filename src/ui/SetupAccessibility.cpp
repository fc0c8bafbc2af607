#include "ui/SetupAccessibility.h"

#include "settings/FieldTable.h"
#include "ui/SetupControls.h"

#include <QLabel>
#include <QWidget>

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

} // namespace korvel
