#pragma once

#include <QLabel>

namespace korvel {

// A label that a screen reader treats as a notification: its role says so and
// its text is its name, so that announce() has the reader speak the text
// without the focus moving to it.
class AnnouncedLabel : public QLabel {
    Q_OBJECT
public:
    explicit AnnouncedLabel(QWidget* parent = nullptr);

    // Has a screen reader speak the text now, as a notification that shows.
    void announce();
};

} // namespace korvel
