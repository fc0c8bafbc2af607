#include "cli/SettingsSource.h"

#include "cli/CommandSupport.h"
#include "cli/PathArgument.h"
#include "cli/SendRecord.h"

#include <QFile>

namespace korvel::cli {
namespace {

bool IsRecordFile(const std::string& path) {
    const auto name = PathArgument(path);
    QFile file(name.value_or(QString()));
    if (!name || !file.open(QIODevice::ReadOnly)) {
        return false; // reading it as a settings file says what is wrong
    }
    return file.read(64).trimmed().startsWith('{');
}

Result<SettingsRecord, std::string> ReadSettings(const std::string& path) {
    if (!IsRecordFile(path)) {
        return BuildSettings(SettingsOptions{.file = path, .sets = {}});
    }
    auto records = ReadRecordFile(path);
    if (!records) {
        return Failure{std::move(records).error()};
    }
    if (records->records.empty()) {
        return Failure{std::string("the record file holds no whole record")};
    }
    return SettingsOfJson(records->records.back().json.value("settings").toObject());
}

} // namespace

Result<LoadedSettings, std::string> LoadSettingsSource(const std::string& path) {
    auto settings = ReadSettings(path);
    if (!settings) {
        return Failure{path + ": " + settings.error()};
    }
    LoadedSettings loaded{.settings = *settings};
    SettingsRecord checked = *settings;
    if (const BuildResult built = BuildImage(checked, loaded.image); !built.success()) {
        return Failure{path + ": " + BuildFailure(built)};
    }
    return loaded;
}

} // namespace korvel::cli
