#pragma once

#include "advisor/Finding.h"
#include "settings/DeviceSettings.h"

#include <QObject>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace korvel {

class AnnouncedLabel;
struct SetupControls;

// Marks the fields the advisor warns about: a tinted background and a tooltip
// that leads with the finding, then what the value means on the air (the
// symbol's name, the path's hops, the beacons an hour), then the field's own
// hint. A screen reader gets the findings first in the field's description,
// and a finding that appears on the focused field is said once. It follows
// every edit, load and reset as it happens, and changes no setting.
class AdvisorMarks : public QObject {
    Q_OBJECT
public:
    AdvisorMarks(const SetupControls& controls, const DeviceSettings& settings, QObject* parent);

    // Whether `field` is marked now, and its tooltip.
    bool isMarked(Field field) const { return marked_[FieldIndex(field)]; }
    QString toolTip(Field field) const;

    // The tint of a warned field's background: the palette's own base blended
    // towards amber, so that the text keeps its contrast in light and dark themes.
    static QColor Tint(const QPalette& palette);

    // A warned field's palette: `unmarked` with its base and button tinted,
    // and in an active and an inactive window the text drawn in a colour that
    // reads on the tint.
    static QPalette Marked(const QPalette& unmarked);

public slots:
    void refresh();

private:
    void mark(Field field, const Findings& findings);
    void tell(Field field, const QStringList& findings);

    const SetupControls& controls_;
    const DeviceSettings& settings_;
    std::array<QString, kFieldCount> hints_;        // each control's own tooltip
    std::array<QString, kFieldCount> descriptions_; // each control's own description
    std::array<QStringList, kFieldCount> findings_; // what the description says now
    std::array<QPalette, kFieldCount> palettes_;    // each control's palette unmarked
    std::array<bool, kFieldCount> marked_{};
    std::array<bool, kFieldCount> extended_{}; // the tooltip holds more than the hint
    AnnouncedLabel* announcer_;
};

// Asks before SEND when MY CALLSIGN holds a placeholder, so that the tracker
// does not transmit without the operator's callsign; `beforeAsking` runs just
// before the question shows. Returns whether to send.
bool ConfirmCallsignBeforeSend(QWidget* window, const DeviceSettings& settings,
                               const std::function<void()>& beforeAsking);

} // namespace korvel
