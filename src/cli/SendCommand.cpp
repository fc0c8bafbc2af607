#include "cli/CommandSupport.h"
#include "transfer/PortResolver.h"
#include "transfer/QtSerialPort.h"
#include "transfer/SendImage.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>

namespace korvel::cli {
namespace {

constexpr const char* kHelp =
    "Usage: korvel-config send (--port N | --device PATH) [--file F.cfg] [--set NAME=VALUE]...\n"
    "\n"
    "Checks the settings as the SEND button does and sends them to the tracker over\n"
    "the serial port, printing the progress the window's dialog shows.\n"
    "The settings start from the factory defaults.\n\nOptions:\n"
    "  --port N           the tracker's COM port number (Linux: the first that is there\n"
    "                     of /dev/ttyUSB<N-1>, /dev/ttyACM<N-1>, /dev/ttyS<N-1> with a\n"
    "                     UART behind it); 'korvel-config ports' lists the numbers\n"
    "  --device PATH      the serial device itself, e.g. /dev/ttyUSB0\n"
    "  --device-folder DIR  look for COM N's device in DIR instead of /dev\n";

// Where the send goes, from the arguments that are not settings options.
struct Target {
    std::optional<std::string> port;
    std::optional<std::string> device;
    std::optional<std::string> folder;
    std::string error;

    bool take(std::string& pendingName, const std::string& arg) {
        if (!pendingName.empty()) {
            store(pendingName, arg);
            pendingName.clear();
            return true;
        }
        for (const char* name : {"--port", "--device", "--device-folder"}) {
            if (arg == name) {
                pendingName = name;
                return true;
            }
            const std::string prefix = std::string(name) + "=";
            if (arg.starts_with(prefix)) {
                store(name, arg.substr(prefix.size()));
                return true;
            }
        }
        return false;
    }

    void store(const std::string& name, const std::string& value) {
        auto& slot = name == "--port" ? port : name == "--device" ? device : folder;
        if (slot) {
            error = "give " + name + " only once";
        }
        slot = value;
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
                shown.replace(at, 2, "\n");
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

class StandardErrorReport final : public ErrorReport {
public:
    explicit StandardErrorReport(TerminalProgress& progress) : progress_(progress) {}
    void report(const std::string& message) override {
        progress_.endLine();
        std::cerr << "korvel-config send: " << message << "\n";
    }

private:
    TerminalProgress& progress_;
};

QString Path(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

int RunSend(Arguments args) {
    SettingsOptions options;
    Target target;
    std::string pendingName;
    const std::string help = std::string(kHelp) + kSettingsOptionsHelp +
                             "\nExit codes: 0 sent, 1 the settings were refused, 2 usage, "
                             "file or field error, 3 the transfer failed.\n";
    const auto takeTarget = [&](const std::string& arg) { return target.take(pendingName, arg); };
    if (const auto done = ParseCommand("send", args, help, options, takeTarget)) {
        return *done;
    }
    if (!pendingName.empty()) {
        return Fail("send", pendingName + " needs a value (see --help)");
    }
    if (!target.error.empty()) {
        return Fail("send", target.error);
    }
    if (target.port.has_value() == target.device.has_value()) {
        return Fail("send", "give either --port N or --device PATH (see --help)");
    }
    int exitCode = kExitSuccess;
    auto settings = SettingsOrFail("send", options, exitCode);
    if (!settings) {
        return exitCode;
    }
    ConfigImage image{};
    const BuildResult built = BuildImage(*settings, image);
    if (!built.success) {
        std::cerr << BuildFailure(built) << "\n";
        return kExitBuildFailed;
    }

    // QSerialPort wants an application object, even without an event loop.
    int argc = 1;
    char name[] = "korvel-config";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    const QString folder = target.folder ? Path(*target.folder) : DefaultDeviceFolder();
    QtSerialPort port(folder, target.device ? Path(*target.device) : QString());
    const std::string commText = target.port ? *target.port : settings->text(Field::edComm);
    SleepingPauses pauses;
    TerminalProgress progress;
    StandardErrorReport errors(progress);
    const TransferResult result = SendImage(image, commText, port, pauses, progress, errors);
    progress.endLine();
    if (result.outcome == TransferOutcome::PortNotOpen) {
        std::cerr << "korvel-config send: COM" << commText
                  << ": the port reads as closed right after opening it; nothing was sent.\n";
    }
    return result.outcome == TransferOutcome::Sent ? kExitSuccess : 3;
}

} // namespace korvel::cli
