#include "ui/FieldPickers.h"

#include "advisor/AprsSymbols.h"
#include "advisor/FieldInfo.h"
#include "settings/CodePageText.h"
#include "ui/MaskedEdit.h"
#include "ui/SetupControls.h"

#include <QMenu>

namespace korvel {
namespace {

constexpr std::array kPickedGroups = {
    SymbolGroup::Vehicles, SymbolGroup::People,  SymbolGroup::Services, SymbolGroup::Places,
    SymbolGroup::Radio,    SymbolGroup::Weather, SymbolGroup::Other};

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "Car  ('>' primary)", with "&&" so that no character becomes a shortcut.
QString SymbolEntry(const AprsSymbol& symbol) {
    QString entry = QStringLiteral("%1  ('%2' %3)")
                        .arg(Latin(symbol.name), QChar::fromLatin1(symbol.code),
                             symbol.table == kAlternateSymbolTable ? QStringLiteral("alternate")
                                                                   : QStringLiteral("primary"));
    return entry.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

FieldPickers::FieldPickers(const SetupControls& controls, DeviceSettings& settings, QObject* parent)
    : QObject(parent), controls_(controls), settings_(settings) {
    connect(controls_.edit(Field::edSymbol), &MaskedEdit::contextMenuAboutToShow, this,
            &FieldPickers::addSymbols);
    connect(controls_.edit(Field::edAprsPath), &MaskedEdit::contextMenuAboutToShow, this,
            &FieldPickers::addPaths);
    connect(controls_.edit(Field::edMyCall), &MaskedEdit::contextMenuAboutToShow, this,
            &FieldPickers::addSsids);
    for (std::size_t band = 0; band < kSpeedBands; ++band) {
        connect(controls_.edit(SpeedTableField(band)), &MaskedEdit::contextMenuAboutToShow, this,
                &FieldPickers::addTimings);
    }
    for (const FieldTraits& traits : AllFields()) {
        if (MaskedEdit* edit = controls_.edit(traits.field)) {
            connect(edit, &MaskedEdit::contextMenuAboutToShow, this, &FieldPickers::addOnTheAir);
        }
    }
}

void FieldPickers::addSymbols(QMenu* menu) {
    menu->addSeparator();
    QMenu* symbols = menu->addMenu(QStringLiteral("&Symbol"));
    symbols->setObjectName(QStringLiteral("pickSymbol"));
    for (const SymbolGroup group : kPickedGroups) {
        QMenu* entries = symbols->addMenu(Latin(GroupName(group)));
        for (const AprsSymbol& symbol : AllSymbols()) {
            if (symbol.group != group) {
                continue;
            }
            connect(entries->addAction(SymbolEntry(symbol)), &QAction::triggered, this,
                    [this, &symbol] {
                        settings_.setText(Field::edSymbol, std::string(1, symbol.code));
                        settings_.setValue(Field::chkTable,
                                           symbol.table == kAlternateSymbolTable ? 1 : 0);
                    });
        }
    }
}

void FieldPickers::addPaths(QMenu* menu) {
    menu->addSeparator();
    QMenu* paths = menu->addMenu(QStringLiteral("Pa&th"));
    paths->setObjectName(QStringLiteral("pickPath"));
    for (const PathPreset& preset : kPathPresets) {
        const QString path = preset.path.empty() ? QStringLiteral("(none)") : Latin(preset.path);
        QAction* action = paths->addAction(path + QStringLiteral(" \u2013 ") + Latin(preset.fits));
        connect(action, &QAction::triggered, this,
                [this, &preset] { settings_.setText(Field::edAprsPath, preset.path); });
    }
}

void FieldPickers::addSsids(QMenu* menu) {
    menu->addSeparator();
    QMenu* ssids = menu->addMenu(QStringLiteral("SS&ID"));
    ssids->setObjectName(QStringLiteral("pickSsid"));
    for (int ssid = 0; ssid < static_cast<int>(kSsidMeanings.size()); ++ssid) {
        const QString label = ssid == 0 ? QStringLiteral("none") : QStringLiteral("-%1").arg(ssid);
        QAction* action = ssids->addAction(label + QStringLiteral(": ") +
                                           Latin(kSsidMeanings[static_cast<std::size_t>(ssid)]));
        connect(action, &QAction::triggered, this, [this, ssid] {
            settings_.setText(Field::edMyCall, WithSsid(settings_.text(Field::edMyCall), ssid));
        });
    }
}

void FieldPickers::addTimings(QMenu* menu) {
    menu->addSeparator();
    QMenu* timings = menu->addMenu(QStringLiteral("Timing &presets"));
    timings->setObjectName(QStringLiteral("pickTiming"));
    for (const TimingPreset& preset : kTimingPresets) {
        QAction* action = timings->addAction(Latin(preset.name) +
                                             QStringLiteral(" (every %1 s slowest, %2 s fastest)")
                                                 .arg(Latin(preset.bands.front()).toInt())
                                                 .arg(Latin(preset.bands.back()).toInt()));
        connect(action, &QAction::triggered, this, [this, &preset] {
            for (std::size_t band = 0; band < kSpeedBands; ++band) {
                settings_.setText(SpeedTableField(band), preset.bands[band]);
            }
        });
    }
}

void FieldPickers::addOnTheAir(QMenu* menu) {
    menu->addSeparator();
    QAction* action = menu->addAction(QStringLiteral("On the &air...\tF7"));
    action->setObjectName(QStringLiteral("openOnTheAir"));
    connect(action, &QAction::triggered, this, &FieldPickers::onTheAirRequested);
}

} // namespace korvel
