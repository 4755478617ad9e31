#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Writes and removes a recovery copy on a thread of its own, in the order asked, so that the
// disk and its sync never hold up the user interface. A write that has not begun yet is
// replaced by a later one.
class RecoveryWriter {
public:
    // failed is called on the writing thread with the reason of a write that failed.
    explicit RecoveryWriter(std::function<void(const QString&)> failed);
    // Finishes what was asked, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Writes contents to path safely: a temporary file beside it, synced, renamed over it.
    void write(const QString& path, QByteArray contents);
    void remove(const QString& path);
    // Waits until everything asked so far is done.
    void finish();

private:
    struct Job {
        QString path;
        std::optional<QByteArray> contents;  // none: remove
    };

    void run();

    std::function<void(const QString&)> failed;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<Job> jobs;
    bool busy = false;
    bool ending = false;
    std::thread thread;
};
