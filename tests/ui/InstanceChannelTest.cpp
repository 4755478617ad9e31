#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <thread>

#include "support/TemporaryFolder.h"
#include "ui/shell/InstanceChannel.h"

namespace {

constexpr uid_t kStranger = 65534;

// Hands path over on a thread of its own while this thread serves the channel's events, as a
// second editor process would.
bool handOver(const QString& channel, const QString& path) {
    std::atomic<bool> done = false;
    bool taken = false;
    std::thread client([&] {
        taken = passToRunningInstance(channel, path);
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    client.join();
    QCoreApplication::processEvents();
    return taken;
}

// A running editor's end that records what reached it.
struct RecordingServer {
    RecordingServer() {
        QObject::connect(&server, &InstanceServer::fileRequested,
                         [this](const QString& path) { received.append(path); });
    }
    InstanceServer server;
    QStringList received;
};

// Sets environment variables for one test; the old values come back with the object.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (saved.find(name) == saved.end()) {
            const char* old = std::getenv(name.c_str());
            saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};

mode_t modeOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

sockaddr_un addressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

TEST(InstanceChannel, AFolderOthersCanReachOrReplaceIsRefusedAtBothEnds) {
    struct Case {
        const char* what;
        // Spoils the private folder the channel was opened in; returns the folder to name.
        std::function<std::string(const TemporaryFolder&, const std::string&)> spoil;
    };
    const Case cases[] = {
        {"owned by another user",
         [](const TemporaryFolder&, const std::string& folder) {
             EXPECT_EQ(::chown(folder.c_str(), kStranger, kStranger), 0);
             return folder;
         }},
        {"open to everyone",
         [](const TemporaryFolder&, const std::string& folder) {
             EXPECT_EQ(::chmod(folder.c_str(), 0777), 0);
             return folder;
         }},
        {"open to the group",
         [](const TemporaryFolder&, const std::string& folder) {
             EXPECT_EQ(::chmod(folder.c_str(), 0750), 0);
             return folder;
         }},
        {"reached through a link",
         [](const TemporaryFolder& top, const std::string& folder) {
             const std::string link = top.file("link");
             EXPECT_EQ(::symlink(folder.c_str(), link.c_str()), 0);
             return link;
         }},
    };
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TemporaryFolder top;
        const std::string folder = top.file("channels");
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        RecordingServer running;
        ASSERT_TRUE(running.server.listen(QString::fromStdString(folder + "/channel")));

        const QString spoiled = QString::fromStdString(c.spoil(top, folder) + "/channel");
        EXPECT_FALSE(handOver(spoiled, QStringLiteral("/home/a/secret.gui")));
        EXPECT_EQ(running.received, QStringList());
        InstanceServer taker;
        EXPECT_FALSE(taker.listen(spoiled));
    }
}

TEST(InstanceChannel, EachDisplayHasItsOwnChannelInAPlaceOfTheUsersOwn) {
    const TemporaryFolder runtime;
    Environment environment;
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    environment.set("XDG_RUNTIME_DIR", runtime.path());
    environment.set("DISPLAY", ":1");
    const QString first = defaultInstanceChannelName();
    environment.set("DISPLAY", ":2");
    const QString second = defaultInstanceChannelName();
    EXPECT_TRUE(first.startsWith(QString::fromStdString(runtime.path() + "/")));
    EXPECT_NE(first, second);

    RecordingServer running;
    ASSERT_TRUE(running.server.listen(first));
    EXPECT_FALSE(handOver(second, QStringLiteral("/a/zweite.gui")));
    EXPECT_TRUE(handOver(first, QStringLiteral("/a/erste.gui")));
    EXPECT_EQ(running.received, QStringList{QStringLiteral("/a/erste.gui")});

    // A wayland display name may be a path; it must not reach into another folder.
    environment.set("WAYLAND_DISPLAY", "/run/other/wayland-0");
    EXPECT_EQ(QFileInfo(defaultInstanceChannelName()).absolutePath(),
              QFileInfo(QString::fromStdString(runtime.path())).absoluteFilePath());

    ASSERT_EQ(::chmod(runtime.path().c_str(), 0755), 0);
    EXPECT_EQ(defaultInstanceChannelName(), QString());

    // Without a runtime folder the editor makes a private one under the temporary folder,
    // and refuses one that others planted there.
    environment.set("XDG_RUNTIME_DIR", std::nullopt);
    const TemporaryFolder temporary;
    environment.set("TMPDIR", temporary.path());
    const std::string own = temporary.file("tolvane-" + std::to_string(::geteuid()));
    const QString made = defaultInstanceChannelName();
    EXPECT_TRUE(made.startsWith(QString::fromStdString(own + "/")));
    EXPECT_EQ(modeOf(own), 0700u);
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    EXPECT_EQ(defaultInstanceChannelName(), QString());

    // An earlier build's socket lies where the folder goes: left alone while an editor answers
    // on it, replaced by the folder once none does.
    ASSERT_EQ(::rmdir(own.c_str()), 0);
    const sockaddr_un address = addressOf(own);
    const int earlier = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(earlier, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(earlier, 1), 0);
    EXPECT_EQ(defaultInstanceChannelName(), QString());
    ::close(earlier);
    EXPECT_TRUE(defaultInstanceChannelName().startsWith(QString::fromStdString(own + "/")));
    EXPECT_EQ(modeOf(own), 0700u);
}

// Runs body in a child process that has become another user; its exit code, or -1.
int runAsStranger(const std::function<int()>& body, const std::function<void()>& meanwhile) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kStranger) != 0 || ::setuid(kStranger) != 0) {
            ::_exit(99);
        }
        ::_exit(body());
    }
    meanwhile();
    int status = 0;
    QElapsedTimer timer;
    timer.start();
    while (::waitpid(child, &status, WNOHANG) == 0 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// True when something arrives on socket within a second.
bool receivesWithinASecond(int socket) {
    pollfd waiting{socket, POLLIN, 0};
    char byte = 0;
    return ::poll(&waiting, 1, 1000) == 1 && ::read(socket, &byte, 1) == 1;
}

// A name may hold any byte but '/' and NUL: each arrives whole, and bytes that are not UTF-8
// are never taken for another file's name.
TEST(InstanceChannel, EveryNameArrivesExactlyAsItWasGiven) {
    const TemporaryFolder folder;
    const std::string channel = folder.file("channel");
    RecordingServer running;
    ASSERT_TRUE(running.server.listen(QString::fromStdString(channel)));
    const QStringList names{QStringLiteral("/a/w1/x\ny.gui"), QStringLiteral("/a/x\r\n.gui"),
                            QStringLiteral("/a/x\r"), QStringLiteral("/a/Grüße ✓.gui")};
    for (const QString& name : names) {
        EXPECT_TRUE(handOver(QString::fromStdString(channel), name));
    }
    EXPECT_EQ(running.received, names);

    std::atomic<bool> done = false;
    bool answered = true;
    std::thread client([&] {
        const sockaddr_un address = addressOf(channel);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const char frame[] = "\x06\0\0\0/a/x\xFF\n";
        answered =
            ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::write(socket, frame, sizeof frame - 1) != sizeof frame - 1 ||
            receivesWithinASecond(socket);
        ::close(socket);
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    client.join();
    EXPECT_FALSE(answered);
    EXPECT_EQ(running.received, names);
}

TEST(InstanceChannel, AProcessOfAnotherUserIsIgnoredAtBothEnds) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "running as another user needs root";
    }
    const TemporaryFolder folder;
    const std::string channel = folder.file("channel");
    const sockaddr_un address = addressOf(channel);

    // The editor listens; a stranger who finds a way to its socket sends a path.
    RecordingServer running;
    ASSERT_TRUE(running.server.listen(QString::fromStdString(channel)));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0711), 0);
    ASSERT_EQ(::chmod(channel.c_str(), 0777), 0);
    const int strangerSending = runAsStranger(
        [&address] {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
                0) {
                return 2;
            }
            const char line[] = "/tmp/planted.gui\n";
            if (::write(socket, line, sizeof line - 1) != sizeof line - 1) {
                return 3;
            }
            return receivesWithinASecond(socket) ? 1 : 0;
        },
        [] {});
    EXPECT_EQ(strangerSending, 0);
    EXPECT_EQ(running.received, QStringList());
    ASSERT_EQ(::chmod(folder.path().c_str(), 0700), 0);
    EXPECT_TRUE(handOver(QString::fromStdString(channel), QStringLiteral("/a/eigene.gui")));
    EXPECT_EQ(running.received, QStringList{QStringLiteral("/a/eigene.gui")});

    // A stranger listens where the editor looks; the editor sends it nothing.
    ASSERT_EQ(::unlink(channel.c_str()), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    bool handedToStranger = true;
    const int strangerListening = runAsStranger(
        [&address, &ready] {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
                ::listen(socket, 1) != 0) {
                return 2;
            }
            const char signal = 'r';
            ::write(ready[1], &signal, 1);
            pollfd waiting{socket, POLLIN, 0};
            if (::poll(&waiting, 1, 5000) != 1) {
                return 0;
            }
            const int connection = ::accept(socket, nullptr, nullptr);
            return receivesWithinASecond(connection) ? 1 : 0;
        },
        [&] {
            char signal = 0;
            ASSERT_EQ(::read(ready[0], &signal, 1), 1);
            ASSERT_EQ(::chmod(folder.path().c_str(), 0700), 0);
            handedToStranger = passToRunningInstance(QString::fromStdString(channel),
                                                     QStringLiteral("/home/a/secret.gui"));
        });
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_FALSE(handedToStranger);
    EXPECT_EQ(strangerListening, 0);
}

}  // namespace
