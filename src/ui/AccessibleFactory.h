#pragma once

#include <QAccessible>
#include <QString>

namespace korvel {

// Gives every `Widget` the accessible interface `Interface` (constructed from
// the widget) instead of the one Qt would give its base class. Qt asks the
// factories by class name, the most derived first, and keeps them in a list of
// its own: one entry per widget class, installed by its first widget.
template <typename Widget, typename Interface> void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (className != QLatin1String(Widget::staticMetaObject.className())) {
                    return nullptr;
                }
                return new Interface(static_cast<Widget*>(object));
            });
        return true;
    }();
    (void)installed;
}

} // namespace korvel
