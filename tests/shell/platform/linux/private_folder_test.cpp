// The folder of the lock and the hand-over requests: the user's own, never one
// that another user owns or may write to.

#include "shell/platform/private_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace ruv::testing {
namespace {

TEST(PrivateFolder, RefusesAFolderOfAnotherUserOrOneOthersMayWriteTo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = QFile::encodeName(dir.path());
    const unsigned me = ::geteuid();
    struct Case {
        mode_t mode;
        unsigned owner;
        bool trusted;
    };
    for (const Case c :
         {Case{0700, me, true}, Case{0755, me, true}, Case{0770, me, false}, Case{0777, me, false},
          Case{01777, me, false}, Case{0700, me + 1, false}}) {
        ASSERT_EQ(::chmod(path.constData(), c.mode), 0);
        EXPECT_EQ(platform::isPrivateFolder(dir.path(), c.owner), c.trusted)
            << std::oct << c.mode << " owner " << std::dec << c.owner;
    }
    ::chmod(path.constData(), 0700);

    // A shared runtime folder is passed over for the cache folder, where the
    // program's folder is made with mode 0700.
    const QByteArray runtime =
        qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") ? qgetenv("XDG_RUNTIME_DIR") : QByteArray();
    const QByteArray cache =
        qEnvironmentVariableIsSet("XDG_CACHE_HOME") ? qgetenv("XDG_CACHE_HOME") : QByteArray();
    const QString shared = QDir(dir.path()).filePath("shared");
    const QString own = QDir(dir.path()).filePath("cache");
    ASSERT_TRUE(QDir().mkpath(shared));
    ::chmod(QFile::encodeName(shared).constData(), 0777);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(shared));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(own));
    const QString folder = platform::privateRuntimeFolder();
    for (const auto& [name, value] :
         {std::pair{"XDG_RUNTIME_DIR", runtime}, {"XDG_CACHE_HOME", cache}}) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    EXPECT_TRUE(folder.startsWith(own)) << folder.toStdString();
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace ruv::testing
