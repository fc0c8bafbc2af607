#include "advisor/Advisor.h"
#include "cli/CommandSupport.h"
#include "cli/DeviceIdentity.h"
#include "cli/FindingsOutput.h"
#include "cli/HeldInterrupts.h"
#include "cli/PathArgument.h"
#include "cli/RosterSend.h"
#include "cli/SendRecord.h"
#include "settings/FieldTable.h"
#include "transfer/DeviceTree.h"
#include "transfer/EventDrivenSender.h"
#include "transfer/PortResolver.h"
#include "transfer/QtSerialPort.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <filesystem>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config send (--port N | --device PATH) [--file F.cfg] [--set NAME=VALUE]...\n"
    "                          [--record FILE] [--roster ROSTER.csv [--resume] [--yes]]\n"
    "\n"
    "Checks the settings as the SEND button does and sends them to the tracker over\n"
    "the serial port, printing the progress the window's dialog shows. The warnings\n"
    "of 'korvel-config check' come first, on standard error; they stop nothing.\n"
    "The settings start from the factory defaults.\n"
    "\n"
    "With --record, every SEND (sent or failed) appends one line to FILE: a JSON\n"
    "object with the time, the result, the device, the image, its SHA-256 and\n"
    "the settings; 'korvel-config history FILE' lists them.\n"
    "\n"
    "With --roster, the settings are sent to one tracker per row of ROSTER.csv:\n"
    "a header row of control names (edMyCall required), then one row a tracker\n"
    "whose values are set over the base settings (--file, --set). The whole\n"
    "roster is checked before anything is sent. Before each tracker it asks to\n"
    "connect it and press Enter.\n";

// What 'Comm num:' holds: one digit in the field's range.
bool IsPortNumber(std::string_view text) {
    const FieldTraits& comm = TraitsOf(Field::edComm);
    return text.size() == 1 && text[0] >= '0' + comm.lowest && text[0] <= '0' + comm.highest;
}

constexpr std::array kOptions = {
    OptionRow{.name = "--port",
              .value = "N",
              .help = "the tracker's COM port number, 1 to 9 (Linux: the first that\n"
                      "is there of /dev/ttyUSB<N-1>, /dev/ttyACM<N-1>, /dev/ttyS<N-1>\n"
                      "with a UART behind it); 'korvel-config ports' lists the numbers",
              .needs = "a whole number from 1 to 9, the number 'Comm num:' holds",
              .accepts = IsPortNumber},
    OptionRow{.name = "--device",
              .value = "PATH",
              .help = "the serial device itself, e.g. /dev/ttyUSB0",
              .needs = "the path of the serial device, e.g. /dev/ttyUSB0"},
    OptionRow{.name = "--device-folder",
              .value = "DIR",
              .help = "with --port: look for COM N's device in DIR instead of /dev",
              .needs = kDeviceFolderNeeds},
    kFileOption,
    kSetOption,
    OptionRow{.name = "--record",
              .value = "FILE",
              .help = "append a record of every SEND to FILE (one JSON line each)",
              .needs = "the path of a record file"},
    OptionRow{.name = "--roster",
              .value = "ROSTER.csv",
              .help = "send to one tracker per row of ROSTER.csv, one after another",
              .needs = "the path of a roster (CSV with a header row)"},
    OptionRow{.name = "--resume",
              .value = {},
              .help = "with --roster and --record: skip the rows that the record\n"
                      "shows as sent with the same image"},
    OptionRow{.name = "--yes",
              .value = {},
              .help = "with --roster: send to each tracker without waiting for Enter"},
};

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// Where the send goes.
struct Target {
    std::optional<std::string> port;
    std::optional<std::string> device;
    std::optional<std::string> folder;

    // Whether the target as given can be used, and what is wrong with it if not.
    Result<void, std::string> check() const {
        if (port.has_value() == device.has_value()) {
            return Failure{"give either --port N or --device PATH (see --help)"};
        }
        // Qt would turn the odd bytes into U+FFFD and look for another device.
        if (device && !PathArgument(*device)) {
            return Failure{std::string("--device: ") + kPathNotUtf8};
        }
        if (device && IsFolder(*device)) {
            return Failure{"--device: '" + *device + "' is a folder, not a serial device"};
        }
        if (device && folder) {
            return Failure{"--device-folder goes with --port, not with --device"};
        }
        if (folder) {
            if (auto named = FolderArgument("--device-folder", *folder); !named) {
                return Failure{std::move(named).error()};
            }
        }
        return {};
    }
};

// Prints the dialog's texts as they change: the dots of progress as they come,
// on the line of the "Sending" text, and each new text on lines of its own.
class TerminalProgress final : public ProgressView {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (!text_.empty() && text.starts_with(text_)) {
            std::cout << text.substr(text_.size());
        } else {
            endLine();
            std::string shown = text.starts_with("\r\n") ? text.substr(2) : text;
            for (std::size_t at; (at = shown.find("\r\n")) != std::string::npos;) {
                shown.replace(at, 2, 1, '\n');
            }
            std::cout << shown;
        }
        std::cout.flush();
        lineOpen_ = true;
        text_ = text;
    }
    void setOkVisible(bool) override {}
    void showDialog() override {}
    void endLine() {
        if (lineOpen_) {
            std::cout << "\n";
            lineOpen_ = false;
        }
    }

private:
    std::string text_;
    bool lineOpen_ = false;
};

// A path from the command line, made absolute where devices are files: a
// relative name would otherwise be taken as one in /dev.
QString Path(const std::string& path) {
    const QString decoded = QFile::decodeName(QByteArray::fromStdString(path));
#if defined(Q_OS_UNIX)
    return QFileInfo(decoded).absoluteFilePath();
#else
    return decoded;
#endif
}

// Runs the transfer in an event loop of its own, as the window does in its
// own; prints its failure.
TransferResult Transfer(const ConfigImage& image, const Target& target,
                        const std::string& commText) {
    const QString folder = target.folder ? Path(*target.folder) : DefaultDeviceFolder();
    const QString device = target.device ? Path(*target.device) : QString();
    EventDrivenSender sender(nullptr,
                             [&] { return std::make_unique<QtSerialPort>(folder, device); });
    const std::string portName = device.toStdString();
    TerminalProgress progress;
    QEventLoop loop;
    QObject::connect(&sender, &EventDrivenSender::finished, &loop, &QEventLoop::quit);
    sender.start(image, commText, progress, portName);
    if (sender.isRunning()) {
        loop.exec();
    }
    progress.endLine();
    const TransferResult& result = sender.lastResult();
    if (result.outcome == TransferOutcome::Failed) {
        std::cerr << "korvel-config send: " << result.error << "\n";
    } else if (result.outcome == TransferOutcome::PortNotOpen) {
        std::cerr << "korvel-config send: " << (portName.empty() ? "COM" + commText : portName)
                  << ": the port reads as closed right after opening it; nothing was sent.\n";
    }
    return result;
}

// The step of the transfer, as the record names where it failed.
std::string StepName(Action action) {
    switch (action) {
    case Action::BuildFrames:
        return "building the frames";
    case Action::SelectPort:
        return "choosing the port";
    case Action::OpenPort:
        return "opening the port";
    case Action::CheckOpen:
        return "checking the port";
    case Action::WriteMarker:
        return "writing the start marker";
    case Action::WriteFrameA:
        return "writing frame A";
    case Action::WriteFrameB:
        return "writing frame B";
    case Action::ClosePort:
        return "closing the port";
    default:
        return "sending";
    }
}

// What the record says of how the transfer went.
std::string RecordedResult(const TransferResult& result) {
    if (result.outcome == TransferOutcome::Sent) {
        return "sent";
    }
    if (result.outcome == TransferOutcome::PortNotOpen) {
        return "failed at opening the port: it reads as closed";
    }
    return "failed at " + StepName(result.failedAction.value_or(Action::OpenPort)) + ": " +
           result.error;
}

// The device the target stands for, as the record names it.
DeviceIdentity TargetDevice(const Target& target, const std::string& commText) {
    const QString folder = target.folder ? Path(*target.folder) : DefaultDeviceFolder();
    const DeviceTree tree = DeviceTree::AroundDeviceFolder(folder);
    if (target.device) {
        return IdentifyDevice(Path(*target.device), tree);
    }
    const auto number = PortNumber(commText);
    const PortLookup lookup = ResolvePort(number.value_or(0), tree);
    return lookup.device ? IdentifyDevice(*lookup.device, tree) : DeviceIdentity{};
}

// Sends one image and appends its record; returns the exit code.
int SendAndRecord(const ConfigImage& image, const DeviceSettings& settings, const Target& target,
                  const std::string& commText, std::optional<RecordWriter>& record) {
    // Asked before the transfer: a device that goes away during it is still named.
    const DeviceIdentity device = record ? TargetDevice(target, commText) : DeviceIdentity{};
    const HeldInterrupts held;
    const TransferResult result = Transfer(image, target, commText);
    if (record) {
        const QByteArray line = RecordLine(image, settings, device, RecordedResult(result));
        if (const auto written = record->append(line); !written) {
            std::cerr << "korvel-config send: " << written.error() << "\n";
            return result.outcome == TransferOutcome::Sent ? kExitUsage : kExitTransferFailed;
        }
    }
    if (result.outcome != TransferOutcome::Sent) {
        return kExitTransferFailed;
    }
    if (held.arrived()) {
        std::cerr << "korvel-config send: interrupted; the transfer under way was finished first\n";
        return kExitInterrupted;
    }
    return kExitSuccess;
}

} // namespace

int RunSend(Arguments args) {
    const CommandSyntax syntax{
        .name = "send",
        .about = kHelp,
        .options = kOptions,
        .exitCodes = "Exit codes: 0 sent, 1 the settings were refused, 2 usage, file or field "
                     "error, 3 the transfer failed, 130 interrupted (Ctrl+C) after the transfer "
                     "under way was finished.",
    };
    ParsedOptions parsed;
    if (const auto done = ParseCommand(syntax, args, parsed)) {
        return *done;
    }
    const Target target{.port = parsed.value("--port"),
                        .device = parsed.value("--device"),
                        .folder = parsed.value("--device-folder")};
    if (const auto checked = target.check(); !checked) {
        return Fail("send", checked.error());
    }
    std::optional<RecordWriter> record;
    if (const auto file = parsed.value("--record")) {
        auto opened = RecordWriter::Open(*file);
        if (!opened) {
            return Fail("send", opened.error());
        }
        record = std::move(opened).value();
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("send", SettingsOptionsOf(parsed), exitCode);
    if (!settings) {
        return exitCode;
    }
    if (const auto roster = parsed.value("--roster")) {
        const RosterOptions options{.path = *roster,
                                    .record = parsed.value("--record"),
                                    .resume = parsed.has("--resume"),
                                    .yes = parsed.has("--yes")};
        return SendRoster(SettingsOptionsOf(parsed), options,
                          [&](const ConfigImage& image, const DeviceSettings& s) {
                              return SendAndRecord(
                                  image, s, target,
                                  target.port ? *target.port : s.text(Field::edComm), record);
                          });
    }
    ConfigImage image{};
    const BuildResult built = BuildImage(*settings, image);
    if (!built.success()) {
        std::cerr << BuildFailure(built) << "\n";
        return kExitBuildFailed;
    }
    PrintFindings(std::cerr, Advise(*settings), true);

    // The serial port is served by an event loop, which needs an application object.
    return SendAndRecord(image, *settings, target,
                         target.port ? *target.port : settings->text(Field::edComm), record);
}

} // namespace korvel::cli
