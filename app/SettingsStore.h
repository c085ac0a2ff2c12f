#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user store of remembered values: one INI file, application "Marrowick", section
// "Brindlecast". Every write reaches the file at once; nothing is cached between reads.
class SettingsStore {
public:
    // The file the program uses: $BRINDLECAST_SETTINGS when set (tests and the demo keep the
    // user's own file untouched that way), else <XDG config home>/Marrowick.ini.
    static QString defaultPath();

    explicit SettingsStore(const QString& path = defaultPath());
    ~SettingsStore();

    // The stored text, or `fallback` when the key was never written. An empty stored text is a
    // value of its own and is returned as it is.
    QString read(const QString& key, const QString& fallback = QString()) const;
    bool contains(const QString& key) const;
    void write(const QString& key, const QString& text);

    const QString& path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QSettings> settings_;
};
