#include "app/qt_profile_store.h"

#include "app/app_texts.h"

namespace quorl {

namespace {
QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section + "/" + key);
}
} // namespace

QtProfileStore::QtProfileStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope,
                QString::fromUtf8(texts::kProfileCompany), QString::fromUtf8(texts::kFrameTitle)) {}

std::string QtProfileStore::readString(const std::string& section, const std::string& key,
                                       const std::string& fallback) {
    return settings_.value(keyOf(section, key), QString::fromStdString(fallback))
        .toString()
        .toStdString();
}

void QtProfileStore::writeString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    settings_.setValue(keyOf(section, key), QString::fromStdString(value));
    settings_.sync();
}

int QtProfileStore::readInt(const std::string& section, const std::string& key, int fallback) {
    bool ok = false;
    const int v = settings_.value(keyOf(section, key), fallback).toInt(&ok);
    return ok ? v : fallback;
}

void QtProfileStore::writeInt(const std::string& section, const std::string& key, int value) {
    settings_.setValue(keyOf(section, key), value);
    settings_.sync();
}

QStringList QtProfileStore::recentFiles() {
    QStringList out;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f =
            settings_.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty())
            out << f;
    }
    return out;
}

void QtProfileStore::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    settings_.remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < files.size(); ++i)
        settings_.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), files[i]);
    settings_.sync();
}

} // namespace quorl
