#include "ui/texture_editor/TextureCache.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "document/LibraryCheck.h"
#include "document/TextureDecoding.h"

namespace {

QString reasonOf(TextureDecodeFailure failure) {
    return failure == TextureDecodeFailure::UnknownFormat ? QStringLiteral("unbekanntes Bildformat")
                                                          : QStringLiteral("fehlerhafte Bilddaten");
}

}  // namespace

TextureCache::TextureCache(qint64 budgetBytes, QObject* parent)
    : QObject(parent), budget(budgetBytes) {
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &TextureCache::fileChanged);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this,
            &TextureCache::textureFilesChanged);
}

QString TextureCache::pickFile(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        if (FileExists(candidate)) {
            return QFile::decodeName(QByteArray::fromStdString(candidate));
        }
    }
    for (const std::string& candidate : candidates) {
        const QString file = QFile::decodeName(QByteArray::fromStdString(candidate));
        if (QFileInfo::exists(file)) {
            return file;
        }
    }
    return QString();
}

TextureCache::Found TextureCache::find(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        watch(QFile::decodeName(QByteArray::fromStdString(candidate)));
    }
    const QString file = pickFile(candidates);
    if (file.isEmpty()) {
        QStringList tried;
        for (const std::string& candidate : candidates) {
            tried << QFileInfo(QFile::decodeName(QByteArray::fromStdString(candidate)))
                         .absoluteFilePath();
        }
        return {
            {QImage(), tried.join(QStringLiteral(", ")), QStringLiteral("Datei nicht gefunden")}};
    }
    const QFileInfo info(file);
    auto found = entries.find(file);
    if (found == entries.end() || found->second.modified != info.lastModified() ||
        found->second.size != info.size()) {
        keep(file, decode(file));
        found = entries.find(file);
    }
    found->second.lastUse = ++useClock;
    return {
        {found->second.image, info.absoluteFilePath(), found->second.failure, found->second.format},
        &found->second};
}

TextureLoad TextureCache::load(const std::vector<std::string>& candidates) {
    return find(candidates).load;
}

CompositionTexture TextureCache::blended(const std::vector<std::string>& candidates,
                                         std::int32_t blendType) {
    Entry* entry = find(candidates).entry;
    if (entry == nullptr || entry->image.isNull()) {
        return {};
    }
    if (const auto kept = entry->blendings.find(blendType); kept != entry->blendings.end()) {
        return kept->second;
    }
    ++blends;
    const qint64 before = bytesOf(*entry);
    const CompositionTexture picture = BlendTexture(entry->image, blendType);
    entry->blendings.emplace(blendType, picture);
    const qint64 added = bytesOf(*entry) - before;
    makeRoom(added, entry);
    used += added;
    return picture;
}

TextureCache::Entry TextureCache::decode(const QString& file) const {
    Entry entry;
    const QFileInfo info(file);
    entry.modified = info.lastModified();
    entry.size = info.size();
    if (!info.isFile()) {
        entry.failure = QStringLiteral("Datei nicht lesbar");
        return entry;
    }
    QFile input(file);
    const QByteArray bytes = input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
    if (input.error() != QFileDevice::NoError) {
        entry.failure = QStringLiteral("Datei nicht lesbar");
        return entry;
    }
    const DecodedTexture decoded =
        DecodeTexture(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
    entry.format = decoded.format;
    if (decoded.failure != TextureDecodeFailure::None) {
        entry.failure = reasonOf(decoded.failure);
        return entry;
    }
    entry.image = QImage(decoded.rgba.get(), decoded.width, decoded.height, decoded.width * 4,
                         QImage::Format_RGBA8888)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return entry;
}

void TextureCache::keep(const QString& file, Entry entry) {
    ++decodes;
    if (const auto old = entries.find(file); old != entries.end()) {
        used -= bytesOf(old->second);
        entries.erase(old);
    }
    const qint64 needed = bytesOf(entry);
    makeRoom(needed, nullptr);
    used += needed;
    entries.emplace(file, std::move(entry));
}

// A picture bigger than the budget is still kept alone, since it is being shown.
void TextureCache::makeRoom(qint64 needed, const Entry* spared) {
    while (used + needed > budget) {
        auto oldest = entries.end();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (&it->second != spared &&
                (oldest == entries.end() || it->second.lastUse < oldest->second.lastUse)) {
                oldest = it;
            }
        }
        if (oldest == entries.end()) {
            return;
        }
        used -= bytesOf(oldest->second);
        entries.erase(oldest);
    }
}

qint64 TextureCache::bytesOf(const Entry& entry) {
    qint64 bytes = entry.image.sizeInBytes();
    for (const auto& [blendType, picture] : entry.blendings) {
        if (picture.image.constBits() != entry.image.constBits()) {
            bytes += picture.image.sizeInBytes();
        }
    }
    return bytes;
}

void TextureCache::watch(const QString& file) {
    const QFileInfo info(file);
    const QString folder = info.absolutePath();
    if (QFileInfo(folder).isDir() && !watcher.directories().contains(folder)) {
        watcher.addPath(folder);
    }
    if (info.exists() && !watcher.files().contains(info.absoluteFilePath())) {
        watcher.addPath(info.absoluteFilePath());
    }
}

// A picture whose file changed is decoded anew when asked for next, even when its time and
// size look the same.
void TextureCache::fileChanged(const QString& file) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (QFileInfo(it->first).absoluteFilePath() == file) {
            used -= bytesOf(it->second);
            entries.erase(it);
            break;
        }
    }
    emit textureFilesChanged();
}
