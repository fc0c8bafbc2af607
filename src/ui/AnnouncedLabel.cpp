#include "ui/AnnouncedLabel.h"

#include "ui/AccessibleFactory.h"

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

} // namespace

AnnouncedLabel::AnnouncedLabel(QWidget* parent) : QLabel(parent) {
    InstallAccessibleFactory<AnnouncedLabel, AnnouncedAccessible>();
}

void AnnouncedLabel::announce() {
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace korvel
