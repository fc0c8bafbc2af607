#include "cli/SendRecord.h"

#include "Version.h"
#include "cli/PathArgument.h"
#include "cli/SettingsOptions.h"
#include "settings/CodePage.h"
#include "settings/FieldTable.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace korvel::cli {
namespace {

QString DeviceText(const QJsonObject& json, const char* key) {
    return json.value("device").toObject().value(key).toString();
}

QJsonObject DeviceJson(const DeviceIdentity& device) {
    QJsonObject json{{"path", device.path}};
    const std::pair<const char*, const QString*> known[] = {{"by_id", &device.byId},
                                                            {"usb_vendor", &device.usbVendor},
                                                            {"usb_product", &device.usbProduct},
                                                            {"usb_serial", &device.usbSerial}};
    for (const auto& [key, value] : known) {
        if (!value->isEmpty()) {
            json.insert(key, *value);
        }
    }
    return json;
}

// A line is a whole record only when it is a JSON object with the fields every
// record has: a line cut short mid-write never passes for one.
bool IsWholeRecord(const QJsonObject& json) {
    return json.value("time").isString() && json.value("result").isString() &&
           json.value("image").isString() && json.value("image_sha256").isString() &&
           json.value("settings").isObject() && json.value("device").isObject();
}

} // namespace

bool SendRecord::sent() const {
    return result() == QLatin1String("sent");
}
QString SendRecord::time() const {
    return json.value("time").toString();
}
QString SendRecord::result() const {
    return json.value("result").toString();
}
QString SendRecord::devicePath() const {
    return DeviceText(json, "path");
}
QString SendRecord::deviceById() const {
    return DeviceText(json, "by_id");
}
QString SendRecord::callsign() const {
    return json.value("settings").toObject().value("edMyCall").toString();
}
QString SendRecord::imageSha256() const {
    return json.value("image_sha256").toString();
}

QJsonObject FieldsJson(const DeviceSettings& settings) {
    QJsonObject json;
    for (const FieldTraits& traits : AllFields()) {
        const QString name = QString::fromUtf8(traits.name.data(), traits.name.size());
        if (traits.isText()) {
            json.insert(name, QString::fromStdString(CodePageToUtf8(settings.text(traits.field))));
        } else {
            json.insert(name, settings.value(traits.field));
        }
    }
    return json;
}

Result<SettingsRecord, std::string> SettingsOfJson(const QJsonObject& fields) {
    SettingsOptions options;
    for (const FieldTraits& traits : AllFields()) {
        const QString name = QString::fromUtf8(traits.name.data(), traits.name.size());
        const QJsonValue value = fields.value(name);
        if (value.isUndefined()) {
            continue; // the factory default stands
        }
        const QString text = value.isDouble() ? QString::number(value.toInt()) : value.toString();
        options.sets.emplace_back(std::string(traits.name), text.toStdString());
    }
    return BuildSettings(options);
}

QString HexOf(const ConfigImage& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString Sha256Of(const ConfigImage& image) {
    const QByteArray bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QByteArray RecordLine(const ConfigImage& image, const DeviceSettings& settings,
                      const DeviceIdentity& device, const std::string& result) {
    const QJsonObject json{
        {"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
        {"result", QString::fromStdString(result)},
        {"device", DeviceJson(device)},
        {"image", HexOf(image)},
        {"image_sha256", Sha256Of(image)},
        {"settings", FieldsJson(settings)},
        {"program_version", QString::fromUtf8(kVersion)},
    };
    return QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n';
}

RecordFile ParseRecords(const QByteArray& bytes) {
    RecordFile file;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool last = i + 1 == lines.size();
        if (lines[i].trimmed().isEmpty()) {
            continue; // the end of the last line, or a blank line
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
        // The last line without its '\n' was cut short even if it parses.
        if (last || error.error != QJsonParseError::NoError || !IsWholeRecord(document.object())) {
            if (!file.damagedLine) {
                file.damagedLine = static_cast<std::size_t>(i + 1);
            }
            continue;
        }
        file.records.push_back({document.object()});
    }
    return file;
}

Result<RecordFile, std::string> ReadRecordFile(const std::string& path) {
    const auto name = PathArgument(path);
    if (!name) {
        return Failure{std::string(kPathNotUtf8)};
    }
    QFile file(*name);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{path + ": " + file.errorString().toStdString()};
    }
    return ParseRecords(file.readAll());
}

Result<RecordWriter, std::string> RecordWriter::Open(const std::string& path) {
    const auto name = PathArgument(path);
    if (!name) {
        return Failure{std::string("--record: ") + kPathNotUtf8};
    }
    QFile file(*name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return Failure{"--record " + path + ": cannot be written: " +
                       file.errorString().toStdString() + "; nothing was sent"};
    }
    RecordWriter writer;
    writer.path_ = path;
    return writer;
}

Result<void, std::string> RecordWriter::append(const QByteArray& line) {
    QFile file(*PathArgument(path_));
    // Unbuffered: the whole line goes in one write, so a reader never sees
    // half of one record beside another.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) ||
        file.write(line) != line.size()) {
        return Failure{"--record " + path_ +
                       ": the record could not be written: " + file.errorString().toStdString()};
    }
    // On the disk before the command reports, so that a power cut just after
    // it loses no record of what the tracker received.
#if defined(Q_OS_UNIX)
    const bool flushed = ::fsync(file.handle()) == 0;
#elif defined(Q_OS_WIN)
    const bool flushed = ::_commit(file.handle()) == 0; // FlushFileBuffers underneath
#else
    const bool flushed = file.flush();
#endif
    if (!flushed) {
        return Failure{"--record " + path_ + ": the record could not be flushed to the disk"};
    }
    return {};
}

} // namespace korvel::cli
