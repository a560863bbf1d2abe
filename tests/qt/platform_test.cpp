// The Qt front end's services: timers, fonts, the save dialog, the bitmap file, the socket's
// folder, termination signals.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "frontends/qt/fonts.h"
#include "frontends/qt/handlers_hold.h"
#include "frontends/qt/qt_files.h"
#include "frontends/qt/qt_timer.h"
#include "frontends/qt/save_dialog.h"
#include "frontends/qt/socket_instance.h"
#include "frontends/qt/termination_signals.h"

namespace kepa {
namespace {

// A window with a timer that counts its ticks.
class ProbeWindow final : public QWidget {
 public:
  ProbeWindow() : ticker(*this, [this] { ++ticks; }) {}
  QtTimer ticker;
  int ticks = 0;
};

TEST(Timer, ZeroStopsAnyOtherIntervalRestartsAndHeldTicksRunOnceAfterTheHold) {
  ProbeWindow window;
  window.ticker.setInterval(20);
  EXPECT_TRUE(window.ticker.isRunning());
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.ticks >= 2; }, 5000));
  window.ticker.setInterval(0);
  EXPECT_FALSE(window.ticker.isRunning());
  const int ticks = window.ticks;
  QTest::qWait(60);
  EXPECT_EQ(window.ticks, ticks);
  // Ticks that come due while the program's handlers are on hold wait for its end, and run
  // once however many came due.
  window.ticker.setInterval(5);
  std::optional<HandlersOnHold> hold(std::in_place);
  QTest::qWait(60);
  EXPECT_EQ(window.ticks, ticks);
  window.ticker.setInterval(10000);
  EXPECT_TRUE(window.ticker.isRunning());
  hold.reset();
  EXPECT_EQ(window.ticks, ticks);  // not inside the handler that held them
  QCoreApplication::processEvents();
  EXPECT_EQ(window.ticks, ticks + 1);
}

TEST(Fonts, HeaviestFamilyPicksTheHeaviestInstalledCandidate) {
  EXPECT_TRUE(heaviestFamily({QStringLiteral("No Such Family 1234")}).isEmpty());
  EXPECT_EQ(heaviestFamily({QStringLiteral("No Such Family"), QStringLiteral("IPAPGothic")}),
            QStringLiteral("IPAPGothic"));
}

TEST(SaveDialog, FileTypesShowTheirDescriptionsAndMatchEitherCase) {
  const QString bmp = nameFilter("BMP ﾌｧｲﾙ", "*.BMP");
  EXPECT_TRUE(bmp.startsWith(QStringLiteral("BMP ﾌｧｲﾙ (")));  // details hidden by the dialog
  const QRegularExpression bmpFiles(
      QRegularExpression::wildcardToRegularExpression(bmp.mid(bmp.indexOf('(') + 1).chopped(1)));
  for (const char* name : {"a.BMP", "a.bmp", "RozAze.Bmp"})
    EXPECT_TRUE(bmpFiles.match(QString::fromLatin1(name)).hasMatch()) << name;
  for (const char* name : {"a.png", "bmp", "a.bmpx"})
    EXPECT_FALSE(bmpFiles.match(QString::fromLatin1(name)).hasMatch()) << name;
  EXPECT_EQ(nameFilter("すべてのﾌｧｲﾙ", "*.*"), QStringLiteral("すべてのﾌｧｲﾙ (*)"));  // also no dot
}

// A picture saved as a 24-bit bitmap under any name; every failure says why and loses nothing.
TEST(SaveBitmapFile, WritesABitmapUnderAnyNameAndLosesNothingOnAFailure) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / "kepa-save";
  fs::remove_all(folder);
  fs::create_directories(folder / "a folder");
  Surface picture(47, 33);
  for (std::int32_t y = 0; y < 33; ++y) {
    for (std::int32_t x = 0; x < 47; ++x)
      picture.row(y)[x] = 0xFF000000U | static_cast<std::uint32_t>(x * 5 << 16 | y * 7);
  }
  QtFiles files;
  for (const char* name : {"RozAze.bmp", "noextension", "picture.png"}) {
    const fs::path file = folder / name;
    ASSERT_TRUE(files.SavePicture(picture, file.string()).saved) << name;
    const QImage read(QString::fromStdString(file.string()), "BMP");  // whatever the name
    ASSERT_EQ(read.size(), QSize(47, 33)) << name;
    EXPECT_EQ(read.pixel(46, 32), picture.row(32)[46]) << name;
  }
  const fs::path existing = folder / "keep.bmp";
  { std::ofstream(existing, std::ios::binary) << "precious"; }
  // A link planted under the name the user saves to, pointing at one of the user's files.
  const fs::path planted = folder / "planted.bmp";
  fs::create_symlink(existing, planted);
  // A folder nobody can write, a full disk, a folder as the name, a folder that does not
  // exist, no name; and a picture without pixels over an existing file.
  const std::string failing[] = {"/proc/kepa.bmp",
                                 "/dev/full",
                                 (folder / "a folder").string(),
                                 (folder / "missing" / "x.bmp").string(),
                                 "",
                                 existing.string(),
                                 planted.string()};
  const Surface none;
  for (const std::string& path : failing) {
    const SaveOutcome outcome = files.SavePicture(path == existing ? none : picture, path);
    EXPECT_FALSE(outcome.saved) << path;
    EXPECT_FALSE(outcome.reason.empty()) << path;
  }
  struct stat full {};
  ASSERT_EQ(::stat("/dev/full", &full), 0);
  EXPECT_TRUE(S_ISCHR(full.st_mode));  // still the device
  EXPECT_TRUE(fs::is_directory(folder / "a folder"));
  std::ifstream kept(existing, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "precious");
  std::vector<std::string> names;  // no temporary file left behind
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"RozAze.bmp", "a folder", "keep.bmp", "noextension",
                                             "picture.png", "planted.bmp"}));
  EXPECT_TRUE(fs::is_symlink(planted));
  fs::remove_all(folder);
}

// The socket's folder without a session bus: nobody but the user may reach or block it.
TEST(SocketInstanceFolder, OnlyAFolderOfTheUserThatNobodyElseCanOpenIsUsed) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(::testing::TempDir()) / "kepa-folders";
  fs::remove_all(root);
  fs::create_directories(root);
  const auto folder = [&](const char* name, fs::perms perms) {
    fs::create_directory(root / name);
    fs::permissions(root / name, perms, fs::perm_options::replace);
  };
  folder("private", fs::perms::owner_all);
  folder("open", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec);
  std::ofstream(root / "file") << "x";
  fs::create_directory_symlink(root / "private", root / "link");
  const std::pair<const char*, const char*> cases[] = {{"missing", ""},
                                                       {"private", ""},
                                                       {"open", " can be opened by other users"},
                                                       {"file", " is not a folder"},
                                                       {"link", " is not a folder"},
                                                       {"theirs", " belongs to another user"}};
  if (::geteuid() == 0) {  // only root can give a folder to another user
    folder("theirs", fs::perms::owner_all);
    ASSERT_EQ(::chown((root / "theirs").c_str(), 65534, 65534), 0);
  }
  for (const auto& [name, expected] : cases) {
    if (std::string(name) == "theirs" && ::geteuid() != 0) continue;
    const std::string path = (root / name).string();
    std::string problem;
    EXPECT_EQ(preparePrivateFolder(path, problem), *expected == '\0') << name;
    EXPECT_EQ(problem, *expected == '\0' ? "" : path + expected) << name;
  }
  EXPECT_EQ(fs::status(root / "missing").permissions(), fs::perms::owner_all);
  fs::remove_all(root);
}

// A running kepa's socket: a few clients at a time, each with one short line in a short time;
// a silent or flooding client is dropped, and the socket goes on serving.
TEST(SocketInstance, ServesAFewClientsEachOneShortLineInAShortTime) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / "kepa-socket";
  fs::remove_all(folder);
  std::vector<InstanceRequest> requests;
  SocketInstance running([&](InstanceRequest request) { requests.push_back(request); },
                         folder.string());
  ASSERT_EQ(running.claim(InstanceRequest::Start), ClaimResult::Primary);
  const QString path = QString::fromStdString((folder / "socket").string());
  const auto connected = [](const std::vector<std::unique_ptr<QLocalSocket>>& clients) {
    return std::count_if(clients.begin(), clients.end(), [](const auto& client) {
      return client->state() == QLocalSocket::ConnectedState;
    });
  };
  std::vector<std::unique_ptr<QLocalSocket>> silent;
  for (int k = 0; k < 20; ++k) {
    silent.push_back(std::make_unique<QLocalSocket>());
    silent.back()->connectToServer(path);
  }
  QTest::qWait(300);
  EXPECT_EQ(connected(silent), 8);
  QTest::qWait(2000);  // silent for too long
  EXPECT_EQ(connected(silent), 0);

  QLocalSocket flood;
  flood.connectToServer(path);
  flood.write(QByteArray(64 * 1024, 'x'));
  QTest::qWait(300);
  EXPECT_NE(flood.state(), QLocalSocket::ConnectedState);

  QLocalSocket asking;
  asking.connectToServer(path);
  asking.write("capture\n");
  EXPECT_TRUE(QTest::qWaitFor([&] { return asking.canReadLine(); }, 2000));
  EXPECT_EQ(asking.readLine(), QByteArray("ok\n"));
  EXPECT_EQ(requests, std::vector<InstanceRequest>{InstanceRequest::Capture});
  fs::remove_all(folder);
}

// The sockets open now, by descriptor.
std::set<int> openSockets() {
  std::set<int> sockets;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    struct stat info {};
    const int fd = std::stoi(entry.path().filename().string());
    if (::fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode)) sockets.insert(fd);
  }
  return sockets;
}

// A flood of termination signals: the handler never blocks on its full pipe, the code it
// interrupts keeps its errno, its sockets are not inherited by programs kepa starts, and the
// loop hears of it once it runs.
TEST(TerminationSignals, AFloodNeitherBlocksNorChangesErrnoAndTheLoopHearsOfIt) {
  const std::set<int> before = openSockets();
  int heard = 0;
  {
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [&] { ++heard; });
    for (const int fd : openSockets()) {
      if (before.contains(fd)) continue;
      EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0) << fd;
      EXPECT_NE(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0) << fd;
    }
    // More bytes than a socket's buffer holds.
    for (int k = 0; k < 400000; ++k) {
      errno = EDOM;
      ::raise(SIGTERM);
      ASSERT_EQ(errno, EDOM) << k;
    }
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace kepa

// The Qt front end's tests run headless on Qt's offscreen platform.
int main(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  kepa::installFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
