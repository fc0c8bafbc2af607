// The record file of send --record: what a reader makes of it, whole or cut
// short at any byte by a crash mid-write.

#include "cli/SendRecord.h"
#include "image/BuildImage.h"
#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"

#include <gtest/gtest.h>

namespace {

using korvel::cli::DeviceIdentity;
using korvel::cli::ParseRecords;
using korvel::cli::RecordLine;

QByteArray LineFor(const std::string& callsign, const std::string& result) {
    korvel::SettingsRecord settings;
    korvel::SetDefaults(settings);
    EXPECT_TRUE(settings.setText(korvel::Field::edMyCall, callsign));
    korvel::ConfigImage image{};
    EXPECT_TRUE(korvel::BuildImage(settings, image).success());
    DeviceIdentity device;
    device.path = "/dev/ttyUSB0";
    device.byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
    return RecordLine(image, settings, device, result);
}

TEST(RecordFile, ARecordCarriesItsSettingsBackWhole) {
    const auto file = ParseRecords(LineFor("IK0ABC-7", "sent"));
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_FALSE(file.damagedLine);
    const auto& record = file.records.front();
    EXPECT_TRUE(record.sent());
    EXPECT_EQ(record.callsign(), "IK0ABC-7");
    EXPECT_EQ(record.imageSha256().size(), 64);
    const auto settings = korvel::cli::SettingsOfJson(record.json.value("settings").toObject());
    ASSERT_TRUE(settings) << settings.error();
    for (const korvel::FieldTraits& traits : korvel::AllFields()) {
        const QString name = QString::fromUtf8(traits.name.data(), traits.name.size());
        EXPECT_TRUE(record.json.value("settings").toObject().contains(name)) << traits.name;
    }
    EXPECT_EQ(settings->text(korvel::Field::edMyCall), "IK0ABC-7");
}

// Every cut point: the whole records before the cut are all listed, and a cut
// inside a line (its '\n' included) marks that line damaged.
TEST(RecordFile, ACutAtAnyByteKeepsEveryWholeRecordBeforeIt) {
    const QByteArray lines[] = {LineFor("IK0ABC-1", "sent"),
                                LineFor("IK0ABC-2", "failed at writing frame A: hung up"),
                                LineFor("IK0ABC-3", "sent")};
    const QByteArray whole = lines[0] + lines[1] + lines[2];
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        std::size_t wholeLines = 0;
        qsizetype end = 0;
        for (const QByteArray& line : lines) {
            if (end + line.size() > cut) {
                break;
            }
            end += line.size();
            ++wholeLines;
        }
        const auto file = ParseRecords(whole.left(cut));
        ASSERT_EQ(file.records.size(), wholeLines) << "cut at " << cut;
        EXPECT_EQ(file.damagedLine.has_value(), cut != end) << "cut at " << cut;
        if (file.damagedLine) {
            EXPECT_EQ(*file.damagedLine, wholeLines + 1) << "cut at " << cut;
        }
    }
}

} // namespace
