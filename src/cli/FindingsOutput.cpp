#include "cli/FindingsOutput.h"

#include "settings/CodePage.h"
#include "settings/CodePageText.h"
#include "settings/FieldTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace korvel::cli {
void PrintFindings(std::ostream& out, const Findings& findings, bool warningsOnly) {
    for (const Finding& finding : findings) {
        if (warningsOnly && finding.severity != Severity::Warning) {
            continue;
        }
        out << SeverityName(finding.severity) << ": " << CodePageToUtf8(finding.caption) << ": "
            << CodePageToUtf8(finding.message) << "\n";
    }
}

std::string FindingsJson(const Findings& findings) {
    QJsonArray array;
    for (const Finding& finding : findings) {
        array.append(
            QJsonObject{{QStringLiteral("field"), FromCodePage(TraitsOf(finding.field).name)},
                        {QStringLiteral("caption"), FromCodePage(finding.caption)},
                        {QStringLiteral("severity"), FromCodePage(SeverityName(finding.severity))},
                        {QStringLiteral("message"), FromCodePage(finding.message)}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace korvel::cli
