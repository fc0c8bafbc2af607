#pragma once

#include "image/ConfigImage.h"
#include "settings/Result.h"
#include "settings/SettingsRecord.h"

#include <QByteArray>
#include <QJsonObject>
#include <optional>
#include <string>
#include <vector>

namespace korvel::cli {

// The record of one SEND: one JSON object on one line of a record file.
// This file is the one home of the record's format; send writes it, history,
// diff and send --resume read it.
//
//   time            UTC, ISO 8601 ("2026-12-08T10:30:00Z")
//   result          "sent", or "failed at <step>: <message>"
//   device          path, by_id, usb_vendor, usb_product, usb_serial (those known)
//   image           the 114 bytes as upper-case hex
//   image_sha256    the hash of the 114 bytes, lower-case hex
//   settings        every field by its control name, as fields --json gives it
//   program_version the version of korvel-config that sent it
struct SendRecord {
    QJsonObject json;

    bool sent() const;
    QString time() const;
    QString result() const;
    QString devicePath() const;
    QString deviceById() const;
    QString callsign() const;
    QString imageSha256() const;
};

// What the tracker's adapter is called by the system; empty where not known.
struct DeviceIdentity {
    QString path;
    QString byId;
    QString usbVendor;
    QString usbProduct;
    QString usbSerial;
};

// Every field by its control name: texts as UTF-8 strings, numbers as numbers.
QJsonObject FieldsJson(const DeviceSettings& settings);

// The settings a record (or FieldsJson) carries, from the factory defaults up;
// or why they cannot be taken.
Result<SettingsRecord, std::string> SettingsOfJson(const QJsonObject& fields);

QString HexOf(const ConfigImage& image);
QString Sha256Of(const ConfigImage& image);

// The complete line (ending in '\n') of one record.
QByteArray RecordLine(const ConfigImage& image, const DeviceSettings& settings,
                      const DeviceIdentity& device, const std::string& result);

// The records of a record file, oldest first, and the 1-based number of the
// first line that is not a whole record (a write cut short), if any.
struct RecordFile {
    std::vector<SendRecord> records;
    std::optional<std::size_t> damagedLine;
};
RecordFile ParseRecords(const QByteArray& bytes);

// Reads a record file; nothing but a message naming the file when it cannot be read.
Result<RecordFile, std::string> ReadRecordFile(const std::string& path);

// A record file opened for appending; opening it before anything is sent makes
// a file that cannot be written stop the command before the tracker is touched.
class RecordWriter {
public:
    // Opens (creating) `path`; nothing and a message when it cannot be written.
    static Result<RecordWriter, std::string> Open(const std::string& path);
    // Appends `line` with one write, then flushes it to the disk.
    Result<void, std::string> append(const QByteArray& line);

private:
    std::string path_;
};

} // namespace korvel::cli
