#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace korvel {

// The file dialog of the Save and Load commands, on QFileDialog. It asks before
// replacing a file, adds no extension to a typed name, and after a choice moves
// the process's current folder to the chosen file's folder (the instructions
// file is looked up there). Tests give the next answers instead of a person.
class CommonD {
public:
    // Filter in the classic "description|pattern|description|pattern" form.
    static constexpr const char* kFilter = "File di configurazione (*.cfg)|*.cfg|Tutti i files|*.*";
    static constexpr const char* kProposedName = "Korvel.cfg";

    enum class Mode { Save, Open };

    // Shows the dialog and returns the chosen full path, or nothing on Cancel.
    static std::optional<QString> show(QWidget* parent, Mode mode, const QString& title);

    // The folder a dialog starts in: the program's own folder, unless that is
    // a folder the user should not keep settings in (one the user may not
    // write to, or one of the system's program folders such as /usr/bin, which
    // root may write to); then the user's documents folder, or the home folder
    // where there is none.
    static QString initialFolder();
    static QString initialFolder(const QString& programFolder);

    // "a (*.x)|*.x|b|*.*" as Qt's "a (*.x);;b (*)".
    static QStringList qtNameFilters(const QString& classicFilter);

    // For tests: answer the next dialogs from `answers` (nothing means Cancel)
    // instead of showing them, and note the titles asked for.
    static void setAnswers(const QList<std::optional<QString>>& answers);
    static void clearAnswers();
    static QStringList takeAskedTitles();
};

} // namespace korvel
