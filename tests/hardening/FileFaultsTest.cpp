// Faults on files. Save: a disk that fills up, a read-only disk, a device that
// takes no data; each time an existing target must stay byte for byte as it
// was and the message must say why. Load: a corpus of malformed files, each
// with the message it must give and the fields it must apply before it stops
// (tests/data/settingsfile/expected.txt), and files of ten megabytes.

#include "DefaultsFile.h"
#include "TestFiles.h"
#include "settings/FieldTable.h"
#include "settings/SetDefaults.h"
#include "settings/SettingsRecord.h"
#include "settingsfile/SettingsFileIo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <vector>

namespace korvel {
namespace {

const QString kData = QStringLiteral(KORVEL_TEST_DATA "/settingsfile");

using test::ReadFile;
using test::WriteFile;

SettingsRecord Defaults() {
    SettingsRecord record;
    SetDefaults(record);
    return record;
}

// ---- Save ----

// A small tmpfs of our own, where mounting is allowed (root outside a
// restricted container).
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : folder_(folder) {
        mounted_ =
            ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=16k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount(QFile::encodeName(folder_).constData());
        }
    }
    bool mounted() const { return mounted_; }
    bool fill() {
        QFile filler(folder_ + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly)) {
            return false;
        }
        const QByteArray block(512, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        return true;
    }
    bool makeReadOnly() {
        return ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, "size=16k") == 0;
    }

private:
    QString folder_;
    bool mounted_ = false;
};

// Files larger than `bytes` cannot be written while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// Set in the copy of the test that runs in a namespace of its own.
constexpr const char* kInOwnNamespace = "KORVEL_TEST_IN_OWN_NAMESPACE";

// The output and exit status of a shell command, standard error included.
std::pair<int, std::string> Shell(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {-1, "popen failed"};
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// Where mounting is not allowed (an ordinary user, a restricted container),
// runs the current test again in a user and mount namespace of its own, in
// which it may mount its small disk; skips, saying why, only where the kernel
// allows no such namespace.
void RunInOwnNamespace() {
    if (std::getenv(kInOwnNamespace) != nullptr) {
        GTEST_SKIP() << "mounting a small disk is not allowed, not even in a namespace of its own";
    }
    const auto [canUnshare, why] = Shell("unshare -Urm true");
    if (canUnshare != 0) {
        GTEST_SKIP() << "mounting a small disk is not allowed here, and 'unshare -Urm' fails: "
                     << why;
    }
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const auto [exitCode, output] =
        Shell(std::string(kInOwnNamespace) + "=1 unshare -Urm '" + self +
              "' --gtest_filter=" + test->test_suite_name() + "." + test->name());
    EXPECT_EQ(exitCode, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    EXPECT_EQ(output.find("[  SKIPPED ]"), std::string::npos) << output;
}

class SaveFaults : public testing::Test {
protected:
    QTemporaryDir dir;
    const QByteArray old = QByteArrayLiteral("old settings, kept whole\r\n");

    QString disk() const { return dir.filePath(QStringLiteral("disk")); }
    QString target() const { return disk() + QStringLiteral("/Korvel.cfg"); }

    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("disk"))); }

    // Saves the defaults, which must fail naming the target and `cause`.
    void expectFailure(const QString& path, const QString& cause) {
        const auto error = SaveSettingsFile(Defaults(), path);
        ASSERT_TRUE(error) << "a failed save was reported as done";
        EXPECT_TRUE(error->startsWith(QStringLiteral("Cannot save ") + path + ": "))
            << error->toStdString();
        EXPECT_TRUE(error->contains(cause)) << error->toStdString();
    }
};

TEST_F(SaveFaults, AFullDiskKeepsTheOldFile) {
    SmallDisk small(disk());
    if (!small.mounted()) {
        return RunInOwnNamespace();
    }
    ASSERT_TRUE(WriteFile(target(), old));
    ASSERT_TRUE(small.fill());
    expectFailure(target(), QStringLiteral("No space left on device"));
    EXPECT_EQ(ReadFile(target()), old);
    EXPECT_EQ(QDir(disk()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              (QStringList{"filler", "Korvel.cfg"}));
}

TEST_F(SaveFaults, AReadOnlyDiskKeepsTheOldFile) {
    SmallDisk small(disk());
    if (!small.mounted()) {
        return RunInOwnNamespace();
    }
    ASSERT_TRUE(WriteFile(target(), old));
    ASSERT_TRUE(small.makeReadOnly());
    expectFailure(target(), QStringLiteral("the disk is read-only"));
    EXPECT_EQ(ReadFile(target()), old);
}

// Runs without any privilege: the writes fail as on a full disk.
TEST_F(SaveFaults, AWriteCutShortKeepsTheOldFile) {
    ASSERT_TRUE(WriteFile(target(), old));
    {
        FileSizeLimit limit(64);
        expectFailure(target(), QStringLiteral("could not be written in full"));
    }
    EXPECT_EQ(ReadFile(target()), old);
    EXPECT_EQ(QDir(disk()).entryList(QDir::Files), QStringList{"Korvel.cfg"});
}

// Taking the target's place would turn a device or a pipe into a plain file
// (as root, /dev/full itself). Made in the test's own folder, so that a fault
// here harms nothing else.
TEST_F(SaveFaults, ADeviceOrPipeStaysWhatItIs) {
    const QByteArray pipe = QFile::encodeName(disk() + QStringLiteral("/pipe"));
    const QByteArray device = QFile::encodeName(disk() + QStringLiteral("/full"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0666), 0);
    const bool haveDevice = ::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    for (const QByteArray& node : {pipe, device}) {
        if (node == device && !haveDevice) {
            continue; // making a device needs privileges
        }
        SCOPED_TRACE(node.toStdString());
        struct stat before {};
        ASSERT_EQ(::stat(node.constData(), &before), 0);
        expectFailure(QFile::decodeName(node), QStringLiteral("it is not a regular file"));
        struct stat after {};
        ASSERT_EQ(::stat(node.constData(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_rdev, before.st_rdev);
    }
}

// ---- Load: the corpus ----

// The well-formed file of the corpus holds these values, every one of them
// different from the factory default; fields in the order loading applies them.
struct Applied {
    Field field;
    const char* text; // text fields
    int value;        // check boxes and the Mic-E list
};
constexpr std::array<Applied, 24> kWellFormed = {{
    {Field::edComm, "3", 0},
    {Field::edNumFlagsAuto, "150", 0},
    {Field::edMsgRepeat, "004", 0},
    {Field::cbMicEMsg, nullptr, 5},
    {Field::chkAutoReply, nullptr, 1},
    {Field::edSymbol, "/", 0},
    {Field::chkTable, nullptr, 1},
    {Field::esSpeedTable0, "0400", 0},
    {Field::esSpeedTable1, "0300", 0},
    {Field::esSpeedTable2, "200", 0},
    {Field::esSpeedTable3, "150", 0},
    {Field::esSpeedTable4, "100", 0},
    {Field::esSpeedTable5, "080", 0},
    {Field::esSpeedTable6, "060", 0},
    {Field::edManualTime, "0090", 0},
    {Field::edBcnEvery, "010", 0},
    {Field::chkRxPosition, nullptr, 1},
    {Field::edGpsAcqTime, "030", 0},
    {Field::edReceiver, "QTEST1", 0},
    {Field::edMyCall, "AB1CD-7", 0},
    {Field::edAprsPath, "WIDE2-1", 0},
    {Field::edBeacon, "Hardening corpus", 0},
    {Field::edDestCall, "AB1CD", 0},
    {Field::edAprsMsg, "Soak test", 0},
}};

// One row of expected.txt: file, how many of the fields above it applies,
// fields whose applied value differs from the above, and the message.
struct CorpusCase {
    std::string file;
    int applied = 0;
    std::string overrides; // "field=text;field=text", or "-"
    std::string message;   // after "Cannot load <path>: ", or "-" for none
};

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(line);
    for (std::string part; std::getline(stream, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// The table is plain text: bytes outside printable ASCII, and the backslash,
// stand there as \xHH.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<CorpusCase> LoadTable() {
    std::vector<CorpusCase> cases;
    std::ifstream table(QFile::encodeName(kData + QStringLiteral("/expected.txt")).toStdString());
    for (std::string line; std::getline(table, line);) {
        const auto parts = Split(line, '\t');
        if (line.empty() || line[0] == '#' || parts.size() != 4) {
            continue;
        }
        cases.push_back({parts[0], std::stoi(parts[1]), Unescape(parts[2]), Unescape(parts[3])});
    }
    return cases;
}

// The factory defaults with the first `count` fields of the well-formed file applied.
SettingsRecord WithWellFormed(int count) {
    SettingsRecord settings = Defaults();
    for (int i = 0; i < count; ++i) {
        const Applied& field = kWellFormed[static_cast<std::size_t>(i)];
        field.text ? settings.setText(field.field, field.text)
                   : settings.setValue(field.field, field.value);
    }
    return settings;
}

// The settings that loading `row` must leave, from the factory defaults.
SettingsRecord Expected(const CorpusCase& row) {
    SettingsRecord expected = WithWellFormed(row.applied);
    if (row.overrides != "-") {
        for (const std::string& assignment : Split(row.overrides, ';')) {
            const auto equals = assignment.find('=');
            const auto field = FindField(assignment.substr(0, equals));
            EXPECT_TRUE(field) << assignment;
            const std::string text = assignment.substr(equals + 1);
            TraitsOf(*field).isText() ? expected.setText(*field, text)
                                      : expected.setValue(*field, std::stoi(text));
        }
    }
    return expected;
}

std::string Differences(const DeviceSettings& actual, const DeviceSettings& expected) {
    std::string out;
    for (const FieldTraits& traits : AllFields()) {
        const std::string a = traits.isText() ? actual.text(traits.field)
                                              : std::to_string(actual.value(traits.field));
        const std::string e = traits.isText() ? expected.text(traits.field)
                                              : std::to_string(expected.value(traits.field));
        if (a != e) {
            out += std::string(traits.name) + ": '" + a + "', expected '" + e + "'\n";
        }
    }
    return out;
}

// The row that describes what loading gave: the longest run of the fields above
// that took their values, and every other field that changed. For adding files
// to the corpus: KORVEL_CORPUS_ROWS=1 prints the rows, to be reviewed by hand.
std::string ActualRow(const std::string& file, const DeviceSettings& actual,
                      const std::string& message) {
    // The count of well-formed fields that leaves the fewest others to list.
    auto others = [&actual](int applied) {
        const SettingsRecord expected = WithWellFormed(applied);
        std::string list;
        for (const FieldTraits& traits : AllFields()) {
            const std::string text = traits.isText() ? actual.text(traits.field)
                                                     : std::to_string(actual.value(traits.field));
            const std::string wanted = traits.isText()
                                           ? expected.text(traits.field)
                                           : std::to_string(expected.value(traits.field));
            if (text != wanted) {
                list += (list.empty() ? "" : ";") + std::string(traits.name) + "=" + text;
            }
        }
        return list;
    };
    auto count = [&others](int applied) {
        const std::string list = others(applied);
        return std::count(list.begin(), list.end(), '=');
    };
    int best = 0;
    for (int applied = 1; applied <= static_cast<int>(kWellFormed.size()); ++applied) {
        if (count(applied) <= count(best)) {
            best = applied;
        }
    }
    const std::string list = others(best);
    return file + "\t" + std::to_string(best) + "\t" + (list.empty() ? "-" : Escape(list)) + "\t" +
           Escape(message);
}

class Corpus : public testing::TestWithParam<CorpusCase> {};

TEST_P(Corpus, GivesItsMessageAndAppliesItsFields) {
    const CorpusCase& row = GetParam();
    const QString path = kData + QStringLiteral("/corpus/") + QString::fromStdString(row.file);
    ASSERT_TRUE(QFile::exists(path));
    SettingsRecord settings = Defaults();
    const auto error = LoadSettingsFile(settings, path);
    const QString prefix = QStringLiteral("Cannot load ") + path + QStringLiteral(": ");
    const std::string message = error ? error->mid(prefix.size()).toStdString() : "-";
    if (error) {
        EXPECT_TRUE(error->startsWith(prefix)) << error->toStdString();
    }
    if (qEnvironmentVariableIsSet("KORVEL_CORPUS_ROWS")) {
        std::printf("ROW %s\n", ActualRow(row.file, settings, message).c_str());
    }
    EXPECT_EQ(message, row.message);
    EXPECT_EQ(Differences(settings, Expected(row)), "");
}

INSTANTIATE_TEST_SUITE_P(SettingsFiles, Corpus, testing::ValuesIn(LoadTable()),
                         [](const testing::TestParamInfo<CorpusCase>& info) {
                             std::string name;
                             for (char c : info.param.file.substr(0, info.param.file.find('.'))) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// Every file of the corpus has its row, so that none goes unchecked.
TEST(CorpusTable, CoversEveryFileOfTheCorpus) {
    QStringList listed;
    for (const CorpusCase& row : LoadTable()) {
        listed << QString::fromStdString(row.file);
    }
    listed.sort();
    const QStringList files =
        QDir(kData + QStringLiteral("/corpus")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(listed, files);
    EXPECT_GE(files.size(), 40);
}

// ---- Load: ten megabytes ----

struct BigFile {
    const char* name;
    QByteArray bytes;
    int applied;
    std::string message; // after "Cannot load <path>: ", or "-" for none
};

// Ten megabytes load (or fail) like a small file, and a message quotes a
// huge value only in part.
TEST(BigFiles, LoadLikeSmallFiles) {
    const QByteArray wellFormed = ReadFile(kData + QStringLiteral("/corpus/well-formed.cfg"));
    constexpr int kTenMegabytes = 10 * 1024 * 1024;
    const std::array<BigFile, 4> files = {{
        {"junk after the last value", wellFormed + QByteArray(kTenMegabytes, 'x'), 24, "-"},
        {"one value of 10 MB", '"' + QByteArray(kTenMegabytes, '7') + "\"," + wellFormed, 0,
         "Comm num: '" + std::string(40, '7') + "...' does not fit the field"},
        {"10 MB of line ends", QByteArray(kTenMegabytes, '\n'), 0, test::EndOfFileBefore(1)},
        {"10 MB without a separator", QByteArray(kTenMegabytes, '5'), 0, test::EndOfFileBefore(2)},
    }};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.cfg"));
    const QString prefix = QStringLiteral("Cannot load ") + path + QStringLiteral(": ");
    for (const BigFile& big : files) {
        SCOPED_TRACE(big.name);
        ASSERT_TRUE(WriteFile(path, big.bytes));
        SettingsRecord settings = Defaults();
        const auto error = LoadSettingsFile(settings, path);
        EXPECT_EQ(error ? error->mid(prefix.size()).toStdString() : "-", big.message);
        EXPECT_EQ(Differences(settings, WithWellFormed(big.applied)), "");
    }
}

} // namespace
} // namespace korvel
