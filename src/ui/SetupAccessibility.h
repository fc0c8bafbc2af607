#pragma once

namespace korvel {

struct SetupControls;

// Gives every setting control of the main window what a screen reader needs:
// its caption from the field table as its name, its unit, limits and tooltip
// as its description, and its caption labels as its labels (each label is the
// buddy of its control). Nothing visible changes.
void DescribeSetupControls(const SetupControls& controls);

} // namespace korvel
