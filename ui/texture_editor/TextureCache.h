#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QImage>
#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "document/TextureDecoding.h"
#include "ui/texture_editor/ButtonComposition.h"

// A texture file as the preview got it: the picture, or why there is none.
struct TextureLoad {
    QImage image;     // null when the file could not be loaded
    QString file;     // the file read, or the files tried, separated by ", "
    QString failure;  // why it could not be loaded; empty when it was
    std::optional<TextureFileFormat> format;  // what the file is, where recognised
};

// Decodes texture files once and shares the pictures; blends each picture once per blend type
// and keeps that beside it. The memory of the kept pictures stays within a budget: when a new
// picture would exceed it, the ones used longest ago are dropped.
// A file that changes on disk is read again the next time it is asked for, and the change is
// announced, so that whoever shows it can ask again.
class TextureCache : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 kDefaultBudget = qint64{256} * 1024 * 1024;

    explicit TextureCache(qint64 budgetBytes = kDefaultBudget, QObject* parent = nullptr);

    // The picture in the first of candidates that can be opened (the first that exists at
    // all when none can), decoded as premultiplied ARGB. PNG, BMP and TGA are read.
    TextureLoad load(const std::vector<std::string>& candidates);
    // The picture of load as blendType draws it; none when it could not be loaded.
    CompositionTexture blended(const std::vector<std::string>& candidates, std::int32_t blendType);

    // The bytes of the kept pictures, blended ones included, how many files were decoded and
    // how many pictures were blended so far.
    qint64 usedBytes() const { return used; }
    int decodeCount() const { return decodes; }
    int blendCount() const { return blends; }

signals:
    // A file that was read or looked for has changed, appeared or gone.
    void textureFilesChanged();

private:
    struct Entry {
        QImage image;
        QString failure;
        std::optional<TextureFileFormat> format;
        QDateTime modified;
        qint64 size = 0;
        quint64 lastUse = 0;
        std::map<std::int32_t, CompositionTexture> blendings;  // by blend type
    };
    struct Found {
        TextureLoad load;
        Entry* entry = nullptr;  // null when no file was found
    };

    // The picture kept for the first file of candidates, decoded anew when the file changed.
    Found find(const std::vector<std::string>& candidates);

    // The file to read: the first candidate that opens, else the first that exists.
    static QString pickFile(const std::vector<std::string>& candidates);
    Entry decode(const QString& file) const;
    void keep(const QString& file, Entry entry);
    // Drops the pictures used longest ago, never spared, until needed more bytes fit.
    void makeRoom(qint64 needed, const Entry* spared);
    // The memory of an entry's pictures; a blending that shares the decoded picture is free.
    static qint64 bytesOf(const Entry& entry);
    void watch(const QString& file);
    void fileChanged(const QString& file);

    qint64 budget;
    qint64 used = 0;
    int decodes = 0;
    int blends = 0;
    quint64 useClock = 0;
    std::map<QString, Entry> entries;
    QFileSystemWatcher watcher;
};
