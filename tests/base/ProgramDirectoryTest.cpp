// Where the programs keep the user's files: settings, runtime files, data,
// and the settings an earlier version kept elsewhere.
#include "base/ProgramDirectory.h"
#include "base/XdgFolders.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace cantorel;
using cantorel::testing::readFile;
using cantorel::testing::ScopedEnvironment;
using cantorel::testing::writeFile;

namespace {

class UserFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QTemporaryDir* dir : {&config, &data, &runtime})
            ASSERT_TRUE(dir->isValid());
    }

    QTemporaryDir config;
    QTemporaryDir data;
    QTemporaryDir runtime;
    ScopedEnvironment configHome {"XDG_CONFIG_HOME", QFile::encodeName(config.path())};
    ScopedEnvironment dataHome {"XDG_DATA_HOME", QFile::encodeName(data.path())};
    ScopedEnvironment runtimeHome {"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

} // namespace

TEST_F(UserFolders, FollowTheXdgFoldersAndTheRuntimeOneIsPrivate)
{
    EXPECT_EQ(configDirectory(), config.filePath("cantorel"));
    EXPECT_EQ(userDataDirectory(), data.filePath("cantorel"));
    EXPECT_FALSE(QFileInfo::exists(configDirectory())); // made only when something is kept there

    const QString folder = runtimeDirectory();
    ASSERT_EQ(folder, runtime.filePath("cantorel"));
    EXPECT_EQ(QFileInfo(folder).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(runtimeDirectory(), folder); // and found again

    // A "cantorel" there that is a link, or no folder, is never used.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(data.path(), folder));
    QString problem;
    EXPECT_EQ(runtimeDirectory(&problem), QString());
    EXPECT_TRUE(problem.contains("is not a folder of this user's")) << problem.toStdString();
}

TEST_F(UserFolders, FormerSettingsAreTakenOverOnceAndLeftInPlace)
{
    if (QFileInfo::exists(executableDirectory() + "/setting.txt"))
        GTEST_SKIP() << "a setting.txt beside the test program would be taken first";
    ASSERT_TRUE(QDir(data.path()).mkpath("Cantorel"));
    const QString former = data.filePath("Cantorel/setting.txt");
    writeFile(former, "former");

    const QString path = adoptFormerSettingsFile("setting.txt");
    EXPECT_EQ(path, config.filePath("cantorel/setting.txt"));
    EXPECT_EQ(readFile(path), "former");
    EXPECT_EQ(readFile(former), "former");

    // Once the settings folder exists, a file the user removed stays removed.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(adoptFormerSettingsFile("setting.txt"), path);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(XdgFolders, RelativeValuesAreIgnoredAndNoPathStartsWithTwoSlashes)
{
    QTemporaryDir home;
    QTemporaryDir tmp;
    ASSERT_TRUE(home.isValid() && tmp.isValid());
    ScopedEnvironment homeSet("HOME", QFile::encodeName(home.path()));
    ScopedEnvironment tmpSet("TMPDIR", QFile::encodeName(tmp.path()));
    ScopedEnvironment config("XDG_CONFIG_HOME", "relcfg");
    ScopedEnvironment data("XDG_DATA_HOME", "reldata");
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", "relrun");
    EXPECT_EQ(configDirectory(), home.filePath(".config/cantorel"));
    EXPECT_EQ(userDataDirectory(), home.filePath(".local/share/cantorel"));
    // The runtime folder falls back to a private one in the temporary folder.
    const QString folder = runtimeDirectory();
    EXPECT_TRUE(folder.startsWith(tmp.filePath("runtime-"))) << folder.toStdString();
    EXPECT_EQ(QFileInfo(QFileInfo(folder).path()).permissions() & (QFile::ReadGroup | QFile::ReadOther),
              QFileDevice::Permissions());

    // No HOME: the user's own home folder; a home of "/" gives no "//".
    {
        ScopedEnvironment noHome("HOME", QByteArray());
        const passwd* user = ::getpwuid(::getuid()); // NOLINT(concurrency-mt-unsafe): no other thread here
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(homeFolder(), QFile::decodeName(user->pw_dir));
        EXPECT_FALSE(configDirectory().startsWith("//")) << configDirectory().toStdString();
    }
    ScopedEnvironment rootHome("HOME", "/");
    EXPECT_EQ(configDirectory(), "/.config/cantorel");
    EXPECT_EQ(xdgDataHome(), "/.local/share");
}
