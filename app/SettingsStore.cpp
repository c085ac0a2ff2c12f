#include "app/SettingsStore.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

#include "core/Product.h"

namespace {
const QString kGroup = QString::fromLatin1(Product::kName);
const QString kFileName = QStringLiteral("Marrowick.ini");

// The password is stored as typed, so the file must never be readable by anyone else, not
// even for the moment between writing the temporary file and renaming it into place.
class PrivateFileMask {
public:
    PrivateFileMask() : old_(::umask(077)) {}
    ~PrivateFileMask() { ::umask(old_); }

private:
    mode_t old_;
};
}  // namespace

QString SettingsStore::defaultPath() {
    const QString overridden =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("BRINDLECAST_SETTINGS"));
    if (!overridden.isEmpty()) return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           kFileName;
}

SettingsStore::SettingsStore(const QString& path)
    : path_(path), settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::read(const QString& key, const QString& fallback) const {
    settings_->sync();  // another process (or another window) may have written meanwhile
    const QVariant value = settings_->value(kGroup + u'/' + key);
    if (!value.isValid()) return fallback;
    // A hand-edited value with an unquoted comma comes back as a list; keep its text.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    return value.toString();
}

bool SettingsStore::contains(const QString& key) const {
    settings_->sync();
    return settings_->contains(kGroup + u'/' + key);
}

void SettingsStore::write(const QString& key, const QString& text) {
    PrivateFileMask mask;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    settings_->setValue(kGroup + u'/' + key, text);
    settings_->sync();
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (settings_->status() != QSettings::NoError)
        qWarning("Could not write %s to %s", qPrintable(key), qPrintable(path_));
}
