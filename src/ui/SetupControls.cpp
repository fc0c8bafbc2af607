#include "ui/SetupControls.h"

#include "settings/CodePageText.h"
#include "settings/FieldTable.h"
#include "ui/CaptionFrame.h"
#include "ui/MaskedEdit.h"
#include "ui/NamedComboBox.h"
#include "ui/WindowMetrics.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <span>

namespace korvel {
namespace {

QString Caption(Field field);

// Creates the controls of one window, each at its place given in twips.
class Builder {
public:
    QGroupBox* frame(QWidget* parent, const char* name, const char* caption, QRect twips) {
        auto* box = new CaptionFrame(QString::fromLatin1(caption), parent);
        place(box, name, twips);
        return box;
    }

    // The label that carries a setting's caption.
    QLabel* label(QWidget* parent, const char* name, Field field, QRect twips) {
        return label(parent, name, Caption(field), field, twips, false);
    }

    // A label beside a setting's control: its unit or a note on it.
    QLabel* note(QWidget* parent, const char* name, const char* text, Field about, QRect twips,
                 bool small = false) {
        return label(parent, name, QString::fromLatin1(text), about, twips, small);
    }

    QLabel* label(QWidget* parent, const char* name, const QString& caption, Field about,
                  QRect twips, bool small) {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (small) {
            label->setFont(SmallFont());
        }
        place(label, name, twips);
        controls.labels.emplace_back(label, about);
        return label;
    }

    MaskedEdit* edit(QWidget* parent, Field field, QRect twips, const QString& toolTip = {}) {
        auto* edit = new MaskedEdit(TraitsOf(field), parent);
        edit->setGeometry(Twips(twips.x(), twips.y(), twips.width(), twips.height()));
        if (!toolTip.isEmpty()) {
            edit->setToolTip(toolTip);
        }
        controls.fields[FieldIndex(field)] = edit;
        return edit;
    }

    QCheckBox* check(QWidget* parent, Field field, QRect twips) {
        auto* box = new QCheckBox(Caption(field), parent);
        place(box, std::string(TraitsOf(field).name).c_str(), twips);
        controls.fields[FieldIndex(field)] = box;
        return box;
    }

    // An editable list of `entries`, as the Mic-E list is, named by its caption
    // for screen readers (NamedComboBox).
    QComboBox* list(QWidget* parent, Field field, std::span<const std::string_view> entries,
                    QRect twips) {
        auto* list = new NamedComboBox(parent);
        place(list, std::string(TraitsOf(field).name).c_str(), twips);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setFont(SmallFont());
        list->view()->setFont(SmallFont());
        for (std::string_view entry : entries) {
            list->addItem(FromCodePage(entry));
        }
        controls.fields[FieldIndex(field)] = list;
        return list;
    }

    QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect twips) {
        auto* button = new QPushButton(QString::fromLatin1(caption), parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        place(button, name, twips);
        return button;
    }

    SetupControls controls;

private:
    static void place(QWidget* widget, const char* name, QRect twips) {
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(Twips(twips.x(), twips.y(), twips.width(), twips.height()));
    }
};

QString Caption(Field field) {
    return FromCodePage(TraitsOf(field).caption);
}

QString ToolTipOf(Field field) {
    switch (field) {
    case Field::edAprsPath:
        return QStringLiteral(
            "Max 2 digipeater addresses, separated by a comma (e.g. WIDE1-1,WIDE2-2).");
    case Field::edBeacon:
        return LengthLimitTip(field) + QStringLiteral(" Enter aprs Lat/Lon in GPSless Mode.");
    case Field::edAprsMsg:
        return LengthLimitTip(field);
    default:
        return {};
    }
}

QRect R(int left, int top, int width, int height) {
    return QRect(left, top, width, height);
}

QRect R(const TwipsRect& twips) {
    return QRect(twips.left, twips.top, twips.width, twips.height);
}

// The frames that hold settings, by WindowFrame.
class Frames {
public:
    QGroupBox*& operator[](WindowFrame frame) { return frames_[static_cast<std::size_t>(frame)]; }

private:
    std::array<QGroupBox*, static_cast<std::size_t>(WindowFrame::Programming) + 1> frames_{};
};

Frames BuildFrames(Builder& b, QWidget* window) {
    using enum WindowFrame;
    Frames frames;
    frames[Main] = b.frame(window, "Frame1", "Main APRS / Mic-E Settings", R(60, 0, 4215, 2295));
    QGroupBox* timing = b.frame(window, "Frame2", "Timing  Settings", R(60, 2280, 4215, 2490));
    frames[ManualTiming] = b.frame(timing, "frManual", "Manual Timing", R(120, 240, 1455, 615));
    frames[Gps] = b.frame(timing, "Frame5", "GPS", R(120, 840, 1455, 1575));
    frames[AutomaticTiming] =
        b.frame(timing, "frAuto", "Automatic Timing", R(1680, 240, 2415, 2175));
    frames[Message] = b.frame(window, "Frame3", "Message Settings", R(60, 4800, 4215, 1500));
    frames[Programming] =
        b.frame(window, "Frame6", "Configuration / Programming", R(60, 6325, 4215, 1200));
    return frames;
}

// The label of the field's caption and its control, where the table places them.
void PlaceField(Builder& b, Frames& frames, const FieldTraits& traits) {
    QGroupBox* frame = frames[traits.form.frame];
    if (!traits.form.labelName.empty()) {
        b.label(frame, std::string(traits.form.labelName).c_str(), traits.field,
                R(traits.form.label));
    }
    switch (traits.kind) {
    case FieldKind::Text:
        b.edit(frame, traits.field, R(traits.form.control), ToolTipOf(traits.field));
        break;
    case FieldKind::Check:
        b.check(frame, traits.field, R(traits.form.control));
        break;
    case FieldKind::ListIndex:
        b.list(frame, traits.field, kMicEEntries, R(traits.form.control));
        break;
    }
}

// The units and notes beside the fields' controls.
void BuildNotes(Builder& b, Frames& frames) {
    using enum WindowFrame;
    b.note(frames[Main], "Label10", "mS", Field::edNumFlagsAuto, R(1600, 240, 255, 255));
    b.note(frames[Main], "Label32", "tx", Field::edBcnEvery, R(3975, 960, 195, 255));
    b.controls.Label34 =
        b.label(frames[Main], "Label34", FromCodePage(TraitsOf(Field::edBeacon).captionNote),
                Field::edBeacon, R(140, 1815, 960, 165), true);
    b.note(frames[ManualTiming], "Label29", "sec.", Field::edManualTime, R(1060, 250, 280, 255));
    b.note(frames[Gps], "Label37", "Every", Field::edGpsCheckTime, R(100, 480, 495, 255));
    b.note(frames[Gps], "Label35", "sec.", Field::edGpsCheckTime, R(1000, 480, 300, 255));
    b.note(frames[Gps], "Label11", "x 100 mS", Field::edGpsAcqTime, R(540, 1065, 705, 255));
    b.controls.Label33 = b.note(frames[Gps], "Label33", "(0=GPSless Mode)", Field::edGpsAcqTime,
                                R(45, 1320, 1200, 165), true);
    static constexpr std::array<const char*, kSpeedBands> kSeconds = {
        "Label14", "Label16", "Label17", "Label18", "Label19", "Label20", "Label21"};
    for (std::size_t i = 0; i < kSeconds.size(); ++i) {
        const int top = TraitsOf(SpeedTableField(i)).form.control.top;
        b.note(frames[AutomaticTiming], kSeconds[i], "sec.", SpeedTableField(i),
               R(2040, top, 300, 255));
    }
}

void BuildButtons(Builder& b, QWidget* f) {
    b.controls.cmdDefault = b.button(f, "cmdDefault", "Default", R(120, 240, 850, 375));
    b.controls.cmdSave = b.button(f, "cmdSave", "Save", R(1680, 240, 850, 375));
    b.controls.cmdLoad = b.button(f, "cmdLoad", "Load", R(3240, 240, 850, 375));
    b.controls.cmdSend = b.button(f, "cmdSend", "SEND", R(1560, 720, 1095, 375));
    b.controls.cmdHelp = b.button(f, "cmdHelp", "Help (F1)", R(3240, 720, 850, 375));
}

// The fields by their tab index; the buttons follow the port number, SEND
// first, as the keyboard reaches for it after choosing the port.
void SetTabOrder(const SetupControls& c) {
    std::vector<std::pair<int, QWidget*>> fields;
    for (const FieldTraits& traits : AllFields()) {
        fields.emplace_back(traits.form.tabIndex, c.control(traits.field));
    }
    std::sort(fields.begin(), fields.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> order;
    for (const auto& [index, control] : fields) {
        order.push_back(control);
        if (control == c.control(Field::edComm)) {
            order.insert(order.end(), {c.cmdSend, c.cmdLoad, c.cmdSave, c.cmdDefault, c.cmdHelp});
        }
    }
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

} // namespace

// The builder made each field's control of the class its kind gives.
MaskedEdit* SetupControls::edit(Field field) const {
    return TraitsOf(field).kind == FieldKind::Text ? static_cast<MaskedEdit*>(control(field))
                                                   : nullptr;
}

QCheckBox* SetupControls::checkBox(Field field) const {
    return TraitsOf(field).kind == FieldKind::Check ? static_cast<QCheckBox*>(control(field))
                                                    : nullptr;
}

QComboBox* SetupControls::list(Field field) const {
    return TraitsOf(field).kind == FieldKind::ListIndex ? static_cast<QComboBox*>(control(field))
                                                        : nullptr;
}

SetupControls BuildSetupControls(QWidget* window) {
    Builder b;
    Frames frames = BuildFrames(b, window);
    for (const FieldTraits& traits : AllFields()) {
        PlaceField(b, frames, traits);
    }
    BuildNotes(b, frames);
    BuildButtons(b, frames[WindowFrame::Programming]);
    SetTabOrder(b.controls);
    QList<QWidget*> captioned;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
            qobject_cast<QPushButton*>(control) || qobject_cast<CaptionFrame*>(control)) {
            captioned.append(control);
        }
    }
    FitCaptions(captioned);
    return b.controls;
}

QString LengthLimitTip(Field field) {
    return QStringLiteral("Max %1 characters.").arg(TraitsOf(field).maxLength);
}

} // namespace korvel
