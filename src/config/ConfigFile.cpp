#include "config/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace {

ConfigFileResult failure(const QString& what, const QString& path, const QString& reason) {
    ConfigFileResult result;
    result.ok = false;
    result.error =
        QStringLiteral("%1 \"%2\".\n%3").arg(what, QDir::toNativeSeparators(path), reason);
    return result;
}

ConfigFileResult createEmptyFile(const QString& path) {
    QFile file(path);
    // NewOnly: never truncate a file that exists but could not be read.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failure(
            QStringLiteral("The configuration file could neither be opened nor created:"), path,
            file.errorString());
    const QByteArray zeros(qsizetype(RegisterStore::ImageSize), '\0');
    if (file.write(zeros) != zeros.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        return failure(QStringLiteral("The configuration file could not be created:"), path,
                       reason);
    }
    ConfigFileResult result;
    result.created = true;
    return result;
}

} // namespace

ConfigFileResult loadConfigFile(const QString& path, RegisterStore& store) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path))
            return failure(QStringLiteral("The configuration file could not be opened:"), path,
                           file.errorString());
        return createEmptyFile(path);
    }
    for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
        auto* slot = reinterpret_cast<char*>(store.slot(reg));
        if (file.read(slot, RegisterStore::SlotSize) != RegisterStore::SlotSize) {
            // Clear the whole slot, not only its first byte: registers 83 to 85
            // are read past their terminator and must not keep stale flags.
            std::memset(slot, 0, RegisterStore::SlotSize);
        }
    }
    return {};
}

ConfigFileResult saveConfigFile(const QString& path, const RegisterStore& store) {
    QByteArray tail;
    QFile existing(path);
    if (existing.exists() && existing.size() > qint64(RegisterStore::ImageSize)) {
        if (!existing.open(QIODevice::ReadOnly) || !existing.seek(RegisterStore::ImageSize))
            return failure(QStringLiteral("The configuration file could not be saved:"), path,
                           existing.errorString());
        tail = existing.readAll();
        existing.close();
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(QStringLiteral("The configuration file could not be saved:"), path,
                       file.errorString());
    const auto* image = reinterpret_cast<const char*>(store.data());
    if (file.write(image, qint64(RegisterStore::ImageSize)) != qint64(RegisterStore::ImageSize) ||
        file.write(tail) != tail.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(QStringLiteral("The configuration file could not be saved:"), path, reason);
    }
    return {};
}
