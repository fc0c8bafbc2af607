#pragma once

class QTextStream;
class QWidget;

namespace korvel::bench {

// A window's stock widgets as lines of text: kind, place, font and text of the
// window, its frames and every label, field, list, check box and button in
// them, in the order they were made. The same-widgets baseline builds them
// again in plain Qt, so it always matches the window it is measured against.
void DescribeForm(const QWidget& window, QTextStream& out);

// Builds the widgets of a description as plain Qt widgets on a new window.
QWidget* BuildForm(QTextStream& in);

} // namespace korvel::bench
