#include "ui/AnnouncedLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace korvel {
namespace {

class AnnouncedAccessible final : public QAccessibleWidget {
public:
    explicit AnnouncedAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

// Qt asks the factories by class name, the most derived first, so this class
// gets its interface here rather than a plain label's.
QAccessibleInterface* AnnouncedFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(AnnouncedLabel::staticMetaObject.className())) {
        return new AnnouncedAccessible(static_cast<AnnouncedLabel*>(object));
    }
    return nullptr;
}

} // namespace

AnnouncedLabel::AnnouncedLabel(QWidget* parent) : QLabel(parent) {
    // Qt keeps its factories in a list of its own; one entry serves every label.
    static const bool installed = [] {
        QAccessible::installFactory(AnnouncedFactory);
        return true;
    }();
    (void)installed;
}

void AnnouncedLabel::announce() {
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace korvel
