#include "ui/AdvisorMarks.h"

#include "advisor/Advisor.h"
#include "advisor/FieldInfo.h"
#include "advisor/SentAddress.h"
#include "settings/CodePageText.h"
#include "settings/FieldTable.h"
#include "ui/AnnouncedLabel.h"
#include "ui/MaskedEdit.h"
#include "ui/MessageBox.h"
#include "ui/SetupControls.h"
#include "ui/TextContrast.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace korvel {
namespace {

constexpr int kTintPercent = 30; // of amber in the field's base colour
constexpr QRgb kAmber = 0xFFA000;

QColor Blend(const QColor& base, const QColor& towards, int percent) {
    const auto mix = [&](int a, int b) { return (a * (100 - percent) + b * percent) / 100; };
    return QColor(mix(base.red(), towards.red()), mix(base.green(), towards.green()),
                  mix(base.blue(), towards.blue()));
}

// The parts one after another as sentences: a part that already ends with
// its full stop (a finding does) is followed by a space only.
QString AsSentences(const QStringList& parts) {
    QString text;
    for (const QString& part : parts) {
        if (!text.isEmpty()) {
            const bool ended = text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char('!')) ||
                               text.endsWith(QLatin1Char('?'));
            text += ended ? QStringLiteral(" ") : QStringLiteral(". ");
        }
        text += part;
    }
    return text;
}

} // namespace

AdvisorMarks::AdvisorMarks(const SetupControls& controls, const DeviceSettings& settings,
                           QObject* parent)
    : QObject(parent), controls_(controls), settings_(settings) {
    // Says a new finding on the focused field once; it never shows.
    announcer_ = new AnnouncedLabel(controls_.cmdSend->window());
    announcer_->setObjectName(QStringLiteral("advisorAnnouncer"));
    announcer_->hide();
    for (const FieldTraits& traits : AllFields()) {
        QWidget* control = controls_.control(traits.field);
        hints_[FieldIndex(traits.field)] = control->toolTip();
        descriptions_[FieldIndex(traits.field)] = control->accessibleDescription();
        palettes_[FieldIndex(traits.field)] = control->palette();
        if (MaskedEdit* edit = controls_.edit(traits.field)) {
            connect(edit, &QLineEdit::textChanged, this, &AdvisorMarks::refresh);
        } else if (QCheckBox* box = controls_.checkBox(traits.field)) {
            connect(box, &QCheckBox::stateChanged, this, &AdvisorMarks::refresh);
        } else if (QComboBox* list = controls_.list(traits.field)) {
            connect(list, &QComboBox::currentTextChanged, this, &AdvisorMarks::refresh);
        }
    }
    refresh();
}

QColor AdvisorMarks::Tint(const QPalette& palette) {
    return Blend(palette.color(QPalette::Base), QColor(kAmber), kTintPercent);
}

QPalette AdvisorMarks::Marked(const QPalette& unmarked) {
    QPalette palette = unmarked;
    const QColor base = Tint(unmarked);
    const QColor button = Blend(unmarked.color(QPalette::Button), QColor(kAmber), kTintPercent);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Button, button);
    // Some styles draw an inactive window's text dimmer than an active one's
    // (Adwaita-Dark: grey), which no longer reads on the tint; each such
    // colour gives way to one that does. A disabled field stays dim on purpose.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text,
                         ReadableOn(base, {unmarked.color(group, QPalette::Text)}));
        palette.setColor(group, QPalette::ButtonText,
                         ReadableOn(button, {unmarked.color(group, QPalette::ButtonText)}));
    }
    return palette;
}

QString AdvisorMarks::toolTip(Field field) const {
    return controls_.control(field)->toolTip();
}

void AdvisorMarks::refresh() {
    const Findings findings = Advise(settings_);
    for (const FieldTraits& traits : AllFields()) {
        mark(traits.field, findings);
    }
}

void AdvisorMarks::mark(Field field, const Findings& findings) {
    QStringList lines;
    bool warned = false;
    for (const Finding& finding : findings) {
        if (finding.field == field) {
            lines << FromCodePage(std::string(SeverityName(finding.severity)) + ": " +
                                  finding.message);
            warned = warned || finding.severity == Severity::Warning;
        }
    }
    tell(field, lines);
    if (const std::string info = FieldInfo(settings_, field); !info.empty()) {
        lines << FromCodePage(info);
    }
    // A field with nothing to add keeps its tooltip, which may be another's to
    // keep up to date ("Comm num:").
    const std::size_t i = FieldIndex(field);
    QWidget* control = controls_.control(field);
    if (!lines.isEmpty() || extended_[i]) {
        extended_[i] = !lines.isEmpty();
        if (!hints_[i].isEmpty()) {
            lines << hints_[i];
        }
        control->setToolTip(lines.join(QLatin1Char('\n')));
    }
    if (warned == marked_[i]) {
        return;
    }
    marked_[i] = warned;
    control->setPalette(warned ? Marked(palettes_[i]) : palettes_[i]);
}

// What the eye gets from the tint and the tooltip, the ear gets from the
// description, which leads with the findings while they hold; a finding that
// appears on the focused field is also said once, as it appears.
void AdvisorMarks::tell(Field field, const QStringList& findings) {
    const std::size_t i = FieldIndex(field);
    QWidget* control = controls_.control(field);
    QStringList description = findings;
    if (!descriptions_[i].isEmpty()) {
        description << descriptions_[i];
    }
    const QString joined = AsSentences(description);
    if (control->accessibleDescription() != joined) {
        control->setAccessibleDescription(joined);
    }
    QStringList fresh;
    for (const QString& finding : findings) {
        if (!findings_[i].contains(finding)) {
            fresh << finding;
        }
    }
    findings_[i] = findings;
    if (!fresh.isEmpty() && control->hasFocus()) {
        announcer_->setText(AsSentences(fresh));
        announcer_->announce();
    }
}

bool ConfirmCallsignBeforeSend(QWidget* window, const DeviceSettings& settings,
                               const std::function<void()>& beforeAsking) {
    const std::string myCall = settings.text(Field::edMyCall);
    if (!IsPlaceholderCallsign(myCall)) {
        return true;
    }
    const QString text =
        QStringLiteral("MY CALLSIGN is %1, a placeholder: the tracker would transmit without "
                       "your callsign.\n\nSend anyway?")
            .arg(FromCodePage(SentAddressOf(myCall).onAir()));
    beforeAsking();
    return MessageBox::ask(window, text, MessageBox::programTitle());
}

} // namespace korvel
