#include "ui/OnTheAirView.h"

#include "air/AirText.h"
#include "settings/CodePageText.h"
#include "ui/MaskedEdit.h"
#include "ui/SetupControls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace korvel {
namespace {

constexpr const char* kDefaultSample = "45.4642,9.1900";
constexpr int kBarRole = Qt::UserRole; // the row's channel share, percent
constexpr int kReferenceRole = Qt::UserRole + 1;
constexpr int kScaleRole = Qt::UserRole + 2; // the share at the bar's full width
constexpr int kAboveRole = Qt::UserRole + 3;
constexpr int kBarWidth = 160;
constexpr int kBarHeight = 10;

QString Text(const std::string& text) {
    return FromCodePage(text);
}

// Each row of the intervals: the caption and figures as text, then a bar of
// its channel share against a line at the one-station reference. A share above
// the reference is drawn in the palette's link-visited colour and its text
// says so too ("above"), so that colour is never the only sign.
class ShareBarDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem textOption = option;
        textOption.rect.setLeft(option.rect.left() + kBarWidth + 12);
        QStyledItemDelegate::paint(painter, textOption, index);

        const double share = index.data(kBarRole).toDouble();
        const double reference = index.data(kReferenceRole).toDouble();
        const double scale = index.data(kScaleRole).toDouble();
        const bool above = index.data(kAboveRole).toBool();
        const QRect track(option.rect.left() + 4, option.rect.center().y() - kBarHeight / 2,
                          kBarWidth, kBarHeight);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->setBrush(option.palette.color(QPalette::Base));
        painter->drawRect(track);
        const double filled = scale > 0 ? std::min(share / scale, 1.0) : 0;
        const QColor bar =
            above ? QColor(0xC0, 0x40, 0x00) : option.palette.color(QPalette::Highlight);
        painter->fillRect(QRect(track.left(), track.top(), static_cast<int>(track.width() * filled),
                                track.height()),
                          bar);
        const int line =
            track.left() + (scale > 0 ? static_cast<int>(track.width() * reference / scale) : 0);
        painter->setPen(QPen(option.palette.color(QPalette::Text), 2));
        painter->drawLine(line, track.top() - 3, line, track.bottom() + 3);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(size.width() + kBarWidth + 12);
        size.setHeight(std::max(size.height(), kBarHeight + 10));
        return size;
    }
};

QListWidget* MakeList(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(accessibleName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setSpacing(2);
    list->setAlternatingRowColors(true);
    return list;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void AddItem(QListWidget* list, const QString& text, const QString& spoken) {
    auto* item = new QListWidgetItem(text, list);
    item->setData(Qt::AccessibleTextRole, spoken);
    item->setToolTip(spoken);
}

// "Speed > 125 Km/h: every 90 s, 40.0 positions/h, 3.06 % of the channel";
// the row's tooltip and spoken name carry the rest.
QString RateRow(const AirRate& rate) {
    QString row = QStringLiteral("%1: every %2 s, %3 positions/h, %4 % of the channel")
                      .arg(Text(CaptionOf(rate.field)))
                      .arg(rate.intervalSeconds)
                      .arg(rate.positionsPerHour, 0, 'f', 1)
                      .arg(rate.channelPercent, 0, 'f', 2);
    if (rate.aboveReference) {
        row += QStringLiteral(" – above the reference");
    }
    return row;
}

} // namespace

OnTheAirView::OnTheAirView(const SetupControls& controls, const DeviceSettings& settings,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings) {
    setObjectName(QStringLiteral("OnTheAirView"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setAccessibleName(QString::fromLatin1(kTitle));

    sample_ = new QLineEdit(QString::fromLatin1(kDefaultSample), this);
    sample_->setObjectName(QStringLiteral("airSample"));
    sample_->setAccessibleDescription(
        QStringLiteral("latitude and longitude in decimal degrees for the Mic-E report; the "
                       "tracker sends its GPS fix instead"));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("airProblem"));
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    problem_->setFocusPolicy(Qt::StrongFocus);
    problem_->hide();

    packets_ = MakeList("airPackets", QStringLiteral("Packets"), this);
    packets_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    rates_ = MakeList("airRates", QStringLiteral("Channel share per hour"), this);
    rates_->setItemDelegate(new ShareBarDelegate(rates_));
    assumptions_ = MakeList("airAssumptions", QStringLiteral("Assumptions"), this);

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("airClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* closer = new QAction(this);
    closer->setShortcut(QKeySequence(Qt::Key_Escape));
    closer->setShortcutContext(Qt::WindowShortcut);
    connect(closer, &QAction::triggered, this, &QWidget::close);
    addAction(closer);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Caption(QStringLiteral("Sample &position (LAT,LON):"), sample_, this));
    layout->addWidget(sample_);
    layout->addWidget(problem_);
    layout->addWidget(Caption(
        QStringLiteral("P&ackets (TX DELAY, then flag to flag at 1200 baud):"), packets_, this));
    layout->addWidget(packets_, 3);
    layout->addWidget(Caption(QStringLiteral("Channel &share per hour (bar: share; line: a mobile "
                                             "every 60 s through WIDE1-1,WIDE2-1):"),
                              rates_, this));
    layout->addWidget(rates_, 5);
    layout->addWidget(Caption(QStringLiteral("Ass&umed:"), assumptions_, this));
    layout->addWidget(assumptions_, 3);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(820, 740);

    for (const FieldTraits& traits : AllFields()) {
        if (MaskedEdit* edit = controls.edit(traits.field)) {
            connect(edit, &QLineEdit::textChanged, this, &OnTheAirView::refresh);
        } else if (QCheckBox* box = controls.checkBox(traits.field)) {
            connect(box, &QCheckBox::stateChanged, this, &OnTheAirView::refresh);
        } else if (QComboBox* list = controls.list(traits.field)) {
            connect(list, &QComboBox::currentIndexChanged, this, &OnTheAirView::refresh);
        }
    }
    connect(sample_, &QLineEdit::textChanged, this, &OnTheAirView::refresh);
    refresh();
}

void OnTheAirView::refresh() {
    const auto sample = ParseSamplePosition(sample_->text().toStdString());
    std::optional<Result<AirReport, FieldError>> built;
    if (sample) {
        built = BuildAirReport(settings_, *sample);
    }
    if (sample && *built) {
        report_ = **built;
        problem_->hide();
        showReport(*report_);
        return;
    }
    report_.reset();
    packets_->clear();
    rates_->clear();
    assumptions_->clear();
    problem_->setText(
        !sample ? QStringLiteral("Sample position: %1.").arg(Text(sample.error()))
                : QStringLiteral("SEND would refuse the settings, so nothing goes on the air: %1.")
                      .arg(Text((*built).error().message())));
    problem_->show();
}

void OnTheAirView::showReport(const AirReport& report) {
    packets_->clear();
    for (const AirPacket& packet : report.packets) {
        QString text = Text(packet.tnc2) + QLatin1Char('\n') + Text(PacketFigures(packet));
        if (!packet.note.empty()) {
            text += QLatin1Char('\n') + Text(packet.note);
        }
        AddItem(packets_, text, Text(PacketInWords(packet)));
    }
    rates_->clear();
    double scale = report.referencePercent * 2;
    for (const AirRate& rate : report.rates) {
        scale = std::max(scale, rate.channelPercent);
    }
    for (const AirRate& rate : report.rates) {
        AddItem(rates_, RateRow(rate), Text(RateInWords(rate, report.referencePercent)));
        QListWidgetItem* item = rates_->item(rates_->count() - 1);
        item->setData(kBarRole, rate.channelPercent);
        item->setData(kReferenceRole, report.referencePercent);
        item->setData(kScaleRole, scale);
        item->setData(kAboveRole, rate.aboveReference);
    }
    assumptions_->clear();
    for (const std::string& assumption : report.assumptions) {
        AddItem(assumptions_, Text(assumption), Text(assumption));
    }
}

} // namespace korvel
