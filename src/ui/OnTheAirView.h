#pragma once

#include "air/AirReport.h"
#include "settings/DeviceSettings.h"

#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace korvel {

struct SetupControls;

// The window "On the air": the packets the settings make the tracker send,
// their airtime, and for each interval the share of the channel, drawn as a bar
// against the one-station reference line; then the assumptions behind them. It
// follows every edit of the main window as it happens and changes no setting.
// A screen reader hears each packet and each interval's row as one sentence.
class OnTheAirView : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "On the air";

    OnTheAirView(const SetupControls& controls, const DeviceSettings& settings,
                 QWidget* parent = nullptr);

    // The report shown now; nothing while the settings are refused.
    const std::optional<AirReport>& report() const { return report_; }

public slots:
    void refresh();

private:
    void showReport(const AirReport& report);

    const DeviceSettings& settings_;
    QLineEdit* sample_;
    QLabel* problem_;
    QListWidget* packets_;
    QListWidget* rates_;
    QListWidget* assumptions_;
    std::optional<AirReport> report_;
};

} // namespace korvel
