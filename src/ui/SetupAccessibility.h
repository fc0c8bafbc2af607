#pragma once

class QColor;

namespace korvel {

struct SetupControls;

// Gives every setting control of the main window what a screen reader needs:
// its caption from the field table as its name, its unit, limits and tooltip
// as its description, and its caption labels as its labels (each label is the
// buddy of its control). Nothing visible changes.
void DescribeSetupControls(const SetupControls& controls);

// The green of the GPSless notes, as dark as it must be to be read as small
// text on `background` (a contrast of at least 4.5:1).
QColor ReadableGreen(const QColor& background);

} // namespace korvel
