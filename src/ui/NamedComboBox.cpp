#include "ui/NamedComboBox.h"

#include "ui/AccessibleFactory.h"
#include "ui/QuietForScreenReaders.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace korvel {
namespace {

class NamedComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = popupShown();
        state.collapsed = !popupShown();
        state.editable = list()->isEditable();
        return state;
    }

    // The popup list first, then the text field of an editable list.
    int childCount() const override { return list()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(list()->view());
        }
        if (index == 1 && list()->isEditable()) {
            return QAccessible::queryAccessibleInterface(list()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (this->child(index) == child) {
                return index;
            }
        }
        return -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    // Both open the popup when it is closed and close it when it is open.
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (popupShown()) {
            list()->hidePopup();
        } else {
            list()->showPopup();
        }
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == showMenuAction()) {
            return {QStringLiteral("Alt+Down")};
        }
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    bool popupShown() const { return list()->view()->isVisible(); }
};

} // namespace

NamedComboBox::NamedComboBox(QWidget* parent) : QComboBox(parent) {
    InstallAccessibleFactory<NamedComboBox, NamedComboBoxAccessible>();
}

// An editable list hands its focus to its text field, which selects its text
// as the focus arrives and takes the selection away as it leaves. A screen
// reader says the list and its entry when it hears of the focus; those
// selections on the way would be spoken as news ("selected", "Text unselected").
void NamedComboBox::focusInEvent(QFocusEvent* event) {
    const QuietForScreenReaders quiet(lineEdit());
    QComboBox::focusInEvent(event);
}

void NamedComboBox::focusOutEvent(QFocusEvent* event) {
    const QuietForScreenReaders quiet(lineEdit());
    QComboBox::focusOutEvent(event);
}

} // namespace korvel
