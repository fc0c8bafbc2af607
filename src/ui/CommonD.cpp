#include "ui/CommonD.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace korvel {
namespace {

struct Answers {
    bool active = false;
    QList<std::optional<QString>> next;
    QStringList askedTitles;
};

Answers& TheAnswers() {
    static Answers answers;
    return answers;
}

std::optional<QString> AskPerson(QWidget* parent, CommonD::Mode mode, const QString& title) {
    QFileDialog dialog(parent, title, CommonD::initialFolder());
    dialog.setNameFilters(CommonD::qtNameFilters(QString::fromLatin1(CommonD::kFilter)));
    dialog.selectNameFilter(dialog.nameFilters().constFirst());
    dialog.setFileMode(QFileDialog::AnyFile);
    if (mode == CommonD::Mode::Save) {
        // Confirmation before replacing is QFileDialog's default; no default suffix.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::ReadOnly, false);
    }
    dialog.selectFile(QString::fromLatin1(CommonD::kProposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

// Whether `folder` lies in one of the hierarchies where the system's packages
// put programs. An installed program lives there; its settings do not, even
// when the user (root) may write there.
bool IsSystemProgramFolder(const QString& folder) {
    static const QStringList systemRoots{QStringLiteral("/usr"), QStringLiteral("/bin"),
                                         QStringLiteral("/sbin"), QStringLiteral("/opt"),
                                         QStringLiteral("/snap")};
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return std::any_of(systemRoots.cbegin(), systemRoots.cend(), [&](const QString& root) {
        return clean == root || clean.startsWith(root + QLatin1Char('/'));
    });
}

} // namespace

std::optional<QString> CommonD::show(QWidget* parent, Mode mode, const QString& title) {
    Answers& answers = TheAnswers();
    std::optional<QString> chosen;
    if (answers.active) {
        answers.askedTitles.append(title);
        if (!answers.next.isEmpty()) {
            chosen = answers.next.takeFirst();
        }
    } else {
        chosen = AskPerson(parent, mode, title);
    }
    if (chosen) {
        const QFileInfo file(*chosen);
        *chosen = file.absoluteFilePath();
        QDir::setCurrent(file.absolutePath());
    }
    return chosen;
}

QString CommonD::initialFolder() {
    return initialFolder(QCoreApplication::applicationDirPath());
}

QString CommonD::initialFolder(const QString& programFolder) {
    if (QFileInfo(programFolder).isWritable() && !IsSystemProgramFolder(programFolder)) {
        return programFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) {
        return documents;
    }
    return QDir::homePath();
}

QStringList CommonD::qtNameFilters(const QString& classicFilter) {
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        // "*.*" means every file, with or without a dot in its name.
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i];
        if (!description.contains(QLatin1Char('('))) {
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
        filters.append(description);
    }
    return filters;
}

void CommonD::setAnswers(const QList<std::optional<QString>>& answers) {
    TheAnswers().active = true;
    TheAnswers().next = answers;
}

void CommonD::clearAnswers() {
    TheAnswers() = Answers{};
}

QStringList CommonD::takeAskedTitles() {
    QStringList titles;
    titles.swap(TheAnswers().askedTitles);
    return titles;
}

} // namespace korvel
