#include "FormDescription.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextStream>
#include <vector>

namespace korvel::bench {
namespace {

const QChar kSeparator = QLatin1Char('\t');
const QChar kItemSeparator = QChar(0x1F);

QString KindOf(const QWidget& widget) {
    if (qobject_cast<const QGroupBox*>(&widget)) {
        return QStringLiteral("frame");
    }
    if (qobject_cast<const QLabel*>(&widget)) {
        return QStringLiteral("label");
    }
    if (qobject_cast<const QCheckBox*>(&widget)) {
        return QStringLiteral("check");
    }
    if (qobject_cast<const QPushButton*>(&widget)) {
        return QStringLiteral("button");
    }
    if (qobject_cast<const QComboBox*>(&widget)) {
        return QStringLiteral("list");
    }
    if (qobject_cast<const QLineEdit*>(&widget)) {
        return QStringLiteral("field");
    }
    return {};
}

QString TextOf(const QWidget& widget) {
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frame->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items.append(list->itemText(i));
        }
        return items.join(kItemSeparator);
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return field->text();
    }
    return widget.windowTitle();
}

void DescribeWidget(const QWidget& widget, int depth, const QString& kind, QTextStream& out) {
    const QRect place = widget.geometry();
    const QFont font = widget.font();
    out << depth << kSeparator << kind << kSeparator << place.x() << kSeparator << place.y()
        << kSeparator << place.width() << kSeparator << place.height() << kSeparator
        << QFontInfo(font).family() << kSeparator << font.pixelSize() << kSeparator
        << int(font.bold()) << kSeparator << TextOf(widget) << '\n';
}

void DescribeChildren(const QWidget& parent, int depth, QTextStream& out) {
    for (const QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (!widget || widget->isWindow()) {
            continue;
        }
        const QString kind = KindOf(*widget);
        if (kind.isEmpty()) {
            continue;
        }
        DescribeWidget(*widget, depth, kind, out);
        if (kind == QLatin1String("frame")) {
            DescribeChildren(*widget, depth + 1, out);
        }
    }
}

QWidget* MakeWidget(const QString& kind, const QString& text, QWidget* parent) {
    if (kind == QLatin1String("frame")) {
        return new QGroupBox(text, parent);
    }
    if (kind == QLatin1String("label")) {
        return new QLabel(text, parent);
    }
    if (kind == QLatin1String("check")) {
        return new QCheckBox(text, parent);
    }
    if (kind == QLatin1String("button")) {
        return new QPushButton(text, parent);
    }
    if (kind == QLatin1String("list")) {
        auto* list = new QComboBox(parent);
        list->setEditable(true);
        list->addItems(text.split(kItemSeparator));
        return list;
    }
    return new QLineEdit(text, parent);
}

} // namespace

void DescribeForm(const QWidget& window, QTextStream& out) {
    DescribeWidget(window, 0, QStringLiteral("window"), out);
    DescribeChildren(window, 1, out);
}

QWidget* BuildForm(QTextStream& in) {
    std::vector<QWidget*> parents;
    QWidget* window = nullptr;
    QString line;
    while (in.readLineInto(&line)) {
        const QStringList parts = line.split(kSeparator);
        if (parts.size() < 10) {
            continue;
        }
        const int depth = parts[0].toInt();
        QFont font(parts[6]);
        font.setPixelSize(parts[7].toInt());
        font.setBold(parts[8] == QLatin1String("1"));
        const QString text = parts.mid(9).join(kSeparator);
        QWidget* widget = nullptr;
        if (depth == 0) {
            window = widget = new QWidget;
            window->setWindowTitle(text);
            window->setFixedSize(parts[4].toInt(), parts[5].toInt());
        } else {
            parents.resize(static_cast<std::size_t>(depth));
            widget = MakeWidget(parts[1], text, parents.back());
            widget->setGeometry(parts[2].toInt(), parts[3].toInt(), parts[4].toInt(),
                                parts[5].toInt());
        }
        // Like the window, children set a font only where it differs from the one they inherit.
        if (depth == 0 || font != widget->parentWidget()->font()) {
            widget->setFont(font);
        }
        parents.resize(static_cast<std::size_t>(depth));
        parents.push_back(widget);
    }
    return window;
}

} // namespace korvel::bench
