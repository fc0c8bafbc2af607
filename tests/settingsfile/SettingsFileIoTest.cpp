#include "settingsfile/SettingsFileIo.h"

#include "SettingsFileTestSupport.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Unix only: whether the test runs as root, who may write into any folder.
#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvel {
namespace {

using test::Defaults;
using test::ReadFile;
using test::WriteFile;

class SettingsFileIo : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(SettingsFileIo, SavesTheFactorySettingsFileAndLoadsItBack) {
    const QString file = path("Korvel.cfg");
    ASSERT_EQ(SaveSettingsFile(Defaults(), file), std::nullopt);
    EXPECT_EQ(ReadFile(file), QByteArray::fromStdString(test::kDefaultsFile));

    SettingsRecord loaded;
    loaded.setText(Field::edGpsCheckTime, "100");
    ASSERT_EQ(LoadSettingsFile(loaded, file), std::nullopt);
    EXPECT_TRUE(test::SameSettings(loaded, Defaults()));
}

TEST_F(SettingsFileIo, UsesTheNameAsTypedWithoutAddingAnExtension) {
    ASSERT_EQ(SaveSettingsFile(Defaults(), path("mytracker")), std::nullopt);
    EXPECT_TRUE(QFile::exists(path("mytracker")));
    EXPECT_FALSE(QFile::exists(path("mytracker.cfg")));
}

TEST_F(SettingsFileIo, ReplacesAnExistingFileWhole) {
    const QString file = path("Korvel.cfg");
    ASSERT_TRUE(WriteFile(file, QByteArray(5000, 'x')));
    ASSERT_EQ(SaveSettingsFile(Defaults(), file), std::nullopt);
    EXPECT_EQ(ReadFile(file), QByteArray::fromStdString(test::kDefaultsFile));
}

TEST_F(SettingsFileIo, AFailedSaveLeavesTheOldFileWholeAndNamesTheCause) {
    const QString file = path("Korvel.cfg");
    ASSERT_TRUE(WriteFile(file, "old contents"));
    SettingsRecord settings = Defaults();
    settings.setText(Field::edBcnEvery, "___");
    const auto error = SaveSettingsFile(settings, file);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(file));
    EXPECT_TRUE(error->contains("Status txt every: '___' is not a number")) << error->toStdString();
    EXPECT_EQ(ReadFile(file), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Korvel.cfg"});
}

TEST_F(SettingsFileIo, SavingIntoAMissingFolderSaysSo) {
    const QString file = path("missing/Korvel.cfg");
    const auto error = SaveSettingsFile(Defaults(), file);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(file));
    EXPECT_TRUE(error->contains("does not exist")) << error->toStdString();
}

TEST_F(SettingsFileIo, SavingOntoAFolderFails) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const auto error = SaveSettingsFile(Defaults(), path("sub"));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains("folder")) << error->toStdString();
}

// A loop of symbolic links stays what it is, and a file on the way is no folder.
TEST_F(SettingsFileIo, SavingWhereThePathLeadsNowhereSaysWhy) {
#if !defined(Q_OS_UNIX)
    GTEST_SKIP() << "symbolic links are a Unix matter";
#else
    ASSERT_TRUE(QFile::link(path("loop.cfg"), path("loop.cfg")));
    ASSERT_TRUE(QFile::link(path("a"), path("b")) && QFile::link(path("b"), path("a")));
    ASSERT_TRUE(WriteFile(path("g.cfg"), "old"));
    const std::pair<const char*, QString> cases[] = {
        {"loop.cfg", "the symbolic links of the path make a loop"},
        {"a/k.cfg", "the symbolic links of the path make a loop"},
        {"g.cfg/k.cfg", path("g.cfg") + " is not a folder"},
    };
    for (const auto& [name, cause] : cases) {
        EXPECT_EQ(SaveSettingsFile(Defaults(), path(name)),
                  "Cannot save " + path(name) + ": " + cause);
    }
    EXPECT_TRUE(QFileInfo(path("loop.cfg")).isSymLink());
    EXPECT_EQ(ReadFile(path("g.cfg")), "old");
#endif
}

TEST_F(SettingsFileIo, SavingIntoAReadOnlyFolderSaysPermissionDenied) {
#if defined(Q_OS_UNIX)
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write anywhere";
    }
#else
    GTEST_SKIP() << "folder permissions are a Unix matter";
#endif
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    const auto error = SaveSettingsFile(Defaults(), path("locked/Korvel.cfg"));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains("ermission")) << error->toStdString();
}

// A file in a folder that the user may not write into (a shared folder) is
// written in place, also through a symbolic link in another folder. As root
// the folder takes new files, and the file is replaced.
TEST_F(SettingsFileIo, SavesOntoAWritableFileInAFolderThatTakesNoNewFiles) {
#if !defined(Q_OS_UNIX)
    GTEST_SKIP() << "folder permissions are a Unix matter";
#endif
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    ASSERT_TRUE(QFile::link(path("shared/Korvel.cfg"), path("link.cfg")));
    for (const char* name : {"shared/Korvel.cfg", "link.cfg"}) {
        ASSERT_TRUE(WriteFile(path("shared/Korvel.cfg"), QByteArray(5000, 'x')));
        QFile::setPermissions(path("shared"), QFile::ReadOwner | QFile::ExeOwner);
        const auto error = SaveSettingsFile(Defaults(), path(name));
        QFile::setPermissions(path("shared"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(error, std::nullopt) << name << ": " << error->toStdString();
        EXPECT_EQ(ReadFile(path("shared/Korvel.cfg")),
                  QByteArray::fromStdString(test::kDefaultsFile))
            << name;
        EXPECT_TRUE(QFileInfo(path("link.cfg")).isSymLink());
    }
}

// A replaced file keeps its owner, group and mode. Giving a file to another
// user takes root (people run the program with sudo when they lack the serial
// group); as an ordinary user those rows are skipped.
TEST_F(SettingsFileIo, ReplacingAFileKeepsItsOwnerGroupAndMode) {
#if !defined(Q_OS_UNIX)
    GTEST_SKIP() << "owners and modes are Unix matters";
#else
    struct Case {
        const char* name;
        mode_t mode;
        bool otherUser;
    };
    const Case cases[] = {
        {"read-only for everyone", 0444, false},   {"private", 0600, false},
        {"shared with the group", 0664, false},    {"another user's, private", 0600, true},
        {"another user's, read-only", 0444, true},
    };
    const uid_t other = 65534; // nobody
    const QByteArray file = QFile::encodeName(path("Korvel.cfg"));
    for (const Case& c : cases) {
        if (c.otherUser && ::geteuid() != 0) {
            continue; // only root gives files away
        }
        ASSERT_TRUE(WriteFile(path("Korvel.cfg"), "old"));
        ASSERT_EQ(::chmod(file.constData(), c.mode), 0) << c.name;
        if (c.otherUser) {
            ASSERT_EQ(::chown(file.constData(), other, other), 0) << c.name;
        }
        struct stat before {};
        ASSERT_EQ(::stat(file.constData(), &before), 0);

        // Its owner may not write a read-only file: it is not replaced behind
        // the owner's back.
        const bool refused = (c.mode & S_IWUSR) == 0 && ::geteuid() != 0;
        const auto error = SaveSettingsFile(Defaults(), path("Korvel.cfg"));
        EXPECT_EQ(error.has_value(), refused) << c.name << ": " << error.value_or("").toStdString();
        struct stat after {};
        ASSERT_EQ(::stat(file.constData(), &after), 0);
        EXPECT_EQ(ReadFile(path("Korvel.cfg")),
                  refused ? QByteArray("old") : QByteArray::fromStdString(test::kDefaultsFile))
            << c.name;
        EXPECT_EQ(after.st_mode & 07777, c.mode) << c.name;
        EXPECT_EQ(after.st_uid, before.st_uid) << c.name;
        EXPECT_EQ(after.st_gid, before.st_gid) << c.name;
        ASSERT_TRUE(QFile::remove(path("Korvel.cfg")));
    }
#endif
}

// Looked at before opening: a pipe with no writer would block the reader.
// A file that cannot be looked at is named for why, not "file not found".
TEST_F(SettingsFileIo, LoadsOnlyRegularFilesOfASettingsFileSize) {
#if !defined(Q_OS_UNIX)
    GTEST_SKIP() << "pipes, links and folder permissions are Unix matters";
#else
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    QFile big(path("big.cfg"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(65 * 1024 * 1024));
    big.close();
    ASSERT_TRUE(WriteFile(path("g.cfg"), test::kDefaultsFile.c_str()));
    ASSERT_TRUE(QFile::link(path("loop.cfg"), path("loop.cfg")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    ASSERT_TRUE(WriteFile(path("locked/k.cfg"), test::kDefaultsFile.c_str()));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner);
    const std::pair<const char*, QString> cases[] = {
        {"pipe", "it is not a regular file"},
        {"big.cfg", "the file is too large to be a settings file"},
        {"g.cfg/k.cfg", path("g.cfg") + " is not a folder"},
        {"loop.cfg", "the symbolic links of the path make a loop"},
        {"locked/k.cfg", "permission denied"}, // root may enter any folder
    };
    for (const auto& [name, cause] : cases) {
        SettingsRecord settings = Defaults();
        const auto error = LoadSettingsFile(settings, path(name));
        if (::geteuid() == 0 && cause == "permission denied") {
            continue;
        }
        ASSERT_TRUE(error) << name;
        EXPECT_EQ(*error, "Cannot load " + path(name) + ": " + cause);
    }
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
}

TEST_F(SettingsFileIo, LoadingAMissingFileSaysFileNotFoundAndChangesNothing) {
    SettingsRecord settings = Defaults();
    const auto error = LoadSettingsFile(settings, path("nothere.cfg"));
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "Cannot load " + path("nothere.cfg") + ": file not found");
    EXPECT_TRUE(test::SameSettings(settings, Defaults()));
}

TEST_F(SettingsFileIo, LoadErrorsNameTheFileAndShowTextsAsUnicode) {
    const QString file = path("bad.cfg");
    ASSERT_TRUE(WriteFile(file, "\"1\",\"200\",\"006\",\"\xE8\",\">\",0\r\n"));
    SettingsRecord settings = Defaults();
    const auto error = LoadSettingsFile(settings, file);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "Cannot load " + file +
                          QString::fromUtf8(": line 1, value 4 (Mic-E msg): 'è' is not a number"));
}

} // namespace
} // namespace korvel
