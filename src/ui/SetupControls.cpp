#include "ui/SetupControls.h"

#include "settings/FieldTable.h"
#include "ui/CaptionFrame.h"
#include "ui/CodePageText.h"
#include "ui/MaskedEdit.h"
#include "ui/WindowMetrics.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

    // An editable list of `entries`, as the Mic-E list is.
    QComboBox* list(QWidget* parent, Field field, std::span<const std::string_view> entries,
                    QRect twips) {
        auto* list = new QComboBox(parent);
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

// "Max 26 characters.": the limit comes from the field's width.
QString LengthLimitTip(Field field) {
    return QStringLiteral("Max %1 characters.").arg(TraitsOf(field).maxLength);
}

QRect R(int left, int top, int width, int height) {
    return QRect(left, top, width, height);
}

void BuildMainFrame(Builder& b, QWidget* window) {
    QGroupBox* f = b.frame(window, "Frame1", "Main APRS / Mic-E Settings", R(60, 0, 4215, 2295));
    b.label(f, "Label8", Field::edNumFlagsAuto, R(120, 250, 855, 255));
    b.edit(f, Field::edNumFlagsAuto, R(1200, 240, 400, 255));
    b.note(f, "Label10", "mS", Field::edNumFlagsAuto, R(1600, 240, 255, 255));
    b.label(f, "Label12", Field::cbMicEMsg, R(2160, 255, 855, 255));
    b.list(f, Field::cbMicEMsg, kMicEEntries, R(3000, 240, 1095, 285));

    b.label(f, "Label7", Field::edSymbol, R(120, 610, 975, 255));
    b.edit(f, Field::edSymbol, R(1200, 600, 255, 255));
    b.check(f, Field::chkTable, R(1600, 600, 1455, 255));
    b.label(f, "Label4", Field::edMyCall, R(120, 980, 1095, 255));
    b.edit(f, Field::edMyCall, R(1200, 960, 1095, 255));
    b.label(f, "Label30", Field::edBcnEvery, R(2415, 960, 1215, 255));
    b.edit(f, Field::edBcnEvery, R(3555, 960, 390, 255));
    b.note(f, "Label32", "tx", Field::edBcnEvery, R(3975, 960, 195, 255));
    b.label(f, "Label5", Field::edAprsPath, R(120, 1330, 975, 255));
    b.edit(
        f, Field::edAprsPath, R(1200, 1320, 1695, 255),
        QStringLiteral("Max 2 digipeater addresses, separated by a comma (e.g. WIDE1-1,WIDE2-2)."));
    b.label(f, "Label6", Field::edBeacon, R(120, 1630, 1095, 165));
    b.controls.Label34 = b.label(f, "Label34", FromCodePage(TraitsOf(Field::edBeacon).captionNote),
                                 Field::edBeacon, R(140, 1815, 960, 165), true);
    b.edit(f, Field::edBeacon, R(1200, 1680, 2750, 255),
           LengthLimitTip(Field::edBeacon) +
               QStringLiteral(" Enter aprs Lat/Lon in GPSless Mode."));
    b.check(f, Field::chkRxPosition, R(480, 1980, 3375, 255));
}

void BuildTimingFrame(Builder& b, QWidget* window) {
    QGroupBox* f = b.frame(window, "Frame2", "Timing  Settings", R(60, 2280, 4215, 2490));

    QGroupBox* manual = b.frame(f, "frManual", "Manual Timing", R(120, 240, 1455, 615));
    b.label(manual, "Label15", Field::edManualTime, R(80, 250, 495, 255));
    b.edit(manual, Field::edManualTime, R(540, 255, 525, 255));
    b.note(manual, "Label29", "sec.", Field::edManualTime, R(1060, 250, 280, 255));

    QGroupBox* gps = b.frame(f, "Frame5", "GPS", R(120, 840, 1455, 1575));
    b.label(gps, "Label36", Field::edGpsCheckTime, R(60, 240, 1335, 225));
    b.note(gps, "Label37", "Every", Field::edGpsCheckTime, R(100, 480, 495, 255));
    b.edit(gps, Field::edGpsCheckTime, R(570, 480, 420, 255));
    b.note(gps, "Label35", "sec.", Field::edGpsCheckTime, R(1000, 480, 300, 255));
    b.label(gps, "Label9", Field::edGpsAcqTime, R(60, 840, 1335, 225));
    b.edit(gps, Field::edGpsAcqTime, R(120, 1065, 405, 255));
    b.note(gps, "Label11", "x 100 mS", Field::edGpsAcqTime, R(540, 1065, 705, 255));
    b.controls.Label33 = b.note(gps, "Label33", "(0=GPSless Mode)", Field::edGpsAcqTime,
                                R(45, 1320, 1200, 165), true);

    QGroupBox* automatic = b.frame(f, "frAuto", "Automatic Timing", R(1680, 240, 2415, 2175));
    struct Row {
        const char* speedLabel;
        const char* secLabel;
    };
    static constexpr std::array<Row, kSpeedBands> kRows = {{
        {"Label22", "Label14"},
        {"Label23", "Label16"},
        {"Label24", "Label17"},
        {"Label25", "Label18"},
        {"Label26", "Label19"},
        {"Label27", "Label20"},
        {"Label28", "Label21"},
    }};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const int top = 240 + 240 * static_cast<int>(i);
        const bool fourDigits = i < 2; // the wider fields end at the same right edge
        b.label(automatic, kRows[i].speedLabel, SpeedTableField(i), R(120, top, 1455, 255));
        b.edit(automatic, SpeedTableField(i),
               fourDigits ? R(1485, top, 540, 255) : R(1600, top, 425, 255));
        b.note(automatic, kRows[i].secLabel, "sec.", SpeedTableField(i), R(2040, top, 300, 255));
    }
}

void BuildMessageFrame(Builder& b, QWidget* window) {
    QGroupBox* f = b.frame(window, "Frame3", "Message Settings", R(60, 4800, 4215, 1500));
    b.label(f, "Label13", Field::edReceiver, R(120, 250, 1575, 255));
    b.edit(f, Field::edReceiver, R(1320, 240, 975, 255));
    b.label(f, "Label31", Field::edMsgRepeat, R(2700, 250, 975, 255));
    b.edit(f, Field::edMsgRepeat, R(3600, 240, 400, 255));
    b.label(f, "Label2", Field::edDestCall, R(120, 590, 1815, 255));
    b.edit(f, Field::edDestCall, R(2040, 570, 1095, 255));
    b.label(f, "Label3", Field::edAprsMsg, R(120, 930, 1095, 255));
    b.edit(f, Field::edAprsMsg, R(800, 915, 3340, 255), LengthLimitTip(Field::edAprsMsg));
    b.check(f, Field::chkAutoReply, R(120, 1200, 4000, 255));
}

void BuildProgrammingFrame(Builder& b, QWidget* window) {
    QGroupBox* f =
        b.frame(window, "Frame6", "Configuration / Programming", R(60, 6325, 4215, 1200));
    b.controls.cmdDefault = b.button(f, "cmdDefault", "Default", R(120, 240, 850, 375));
    b.controls.cmdSave = b.button(f, "cmdSave", "Save", R(1680, 240, 850, 375));
    b.controls.cmdLoad = b.button(f, "cmdLoad", "Load", R(3240, 240, 850, 375));
    b.controls.cmdSend = b.button(f, "cmdSend", "SEND", R(1560, 720, 1095, 375));
    b.controls.cmdHelp = b.button(f, "cmdHelp", "Help (F1)", R(3240, 720, 850, 375));
    b.label(f, "Label1", Field::edComm, R(120, 810, 855, 255));
    b.edit(f, Field::edComm, R(1080, 810, 255, 255));
}

void SetTabOrder(const SetupControls& c) {
    std::vector<QWidget*> order = {
        c.edit(Field::edNumFlagsAuto), c.control(Field::cbMicEMsg), c.edit(Field::edSymbol),
        c.control(Field::chkTable),    c.edit(Field::edMyCall),     c.edit(Field::edBcnEvery),
        c.edit(Field::edAprsPath),     c.edit(Field::edBeacon),     c.edit(Field::edManualTime)};
    for (std::size_t i = 0; i < kSpeedBands; ++i) {
        order.push_back(c.edit(SpeedTableField(i)));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             c.edit(Field::edGpsCheckTime), c.edit(Field::edGpsAcqTime), c.edit(Field::edReceiver),
             c.edit(Field::edMsgRepeat), c.edit(Field::edDestCall), c.edit(Field::edAprsMsg),
             c.edit(Field::edComm), c.cmdSend, c.cmdLoad, c.cmdSave, c.cmdDefault, c.cmdHelp,
             c.control(Field::chkRxPosition), c.control(Field::chkAutoReply)}) {
        order.push_back(w);
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
    BuildMainFrame(b, window);
    BuildTimingFrame(b, window);
    BuildMessageFrame(b, window);
    BuildProgrammingFrame(b, window);
    SetTabOrder(b.controls);
    QList<QWidget*> captioned;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
            qobject_cast<QPushButton*>(control)) {
            captioned.append(control);
        }
    }
    FitCaptions(captioned);
    return b.controls;
}

} // namespace korvel
