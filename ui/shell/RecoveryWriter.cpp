#include "ui/shell/RecoveryWriter.h"

#include <sys/stat.h>

#include <QFile>
#include <cstdio>
#include <string_view>

#include "document/FileFailureText.h"
#include "library/LibraryFile.h"

RecoveryWriter::RecoveryWriter(std::function<void(const QString&)> failed)
    : failed(std::move(failed)), thread([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex);
        ending = true;
    }
    wake.notify_one();
    thread.join();
}

void RecoveryWriter::write(const QString& path, QByteArray contents) {
    {
        const std::lock_guard lock(mutex);
        if (!jobs.empty() && jobs.back().contents && jobs.back().path == path) {
            jobs.back().contents = std::move(contents);
            return;
        }
        jobs.push_back({path, std::move(contents)});
    }
    wake.notify_one();
}

void RecoveryWriter::remove(const QString& path) {
    {
        const std::lock_guard lock(mutex);
        jobs.push_back({path, std::nullopt});
    }
    wake.notify_one();
}

void RecoveryWriter::finish() {
    std::unique_lock lock(mutex);
    idle.wait(lock, [this] { return jobs.empty() && !busy; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return ending || !jobs.empty(); });
        if (jobs.empty()) {
            return;  // ending, with nothing left to do
        }
        const Job job = std::move(jobs.front());
        jobs.pop_front();
        busy = true;
        lock.unlock();
        const std::string path = QFile::encodeName(job.path).toStdString();
        if (job.contents) {
            const HRESULT result = saveFileSafely(
                path, std::string_view(job.contents->constData(),
                                       static_cast<std::size_t>(job.contents->size())));
            if (FAILED(result) && failed) {
                failed(QString::fromStdString(fileFailureText(result)));
            }
            ::chmod(path.c_str(), S_IRUSR | S_IWUSR);  // the user's work, for the user alone
        } else {
            std::remove(path.c_str());
        }
        lock.lock();
        busy = false;
        idle.notify_all();
    }
}
