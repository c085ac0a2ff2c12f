#include "app/HandPointer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

#include "core/Failure.h"

namespace {
const long kFileNotFound = 53;
const long kInvalidPicture = 481;
}  // namespace

namespace HandPointer {

bool exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

QCursor load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(kFileNotFound, QStringLiteral("File not found: ") + path);
    const QByteArray bytes = file.readAll();
    // The directory (6 bytes) and the first entry (16 bytes); type 2 marks a cursor.
    if (bytes.size() < 22 || qFromLittleEndian<quint16>(bytes.constData() + 2) != 2)
        throw Failure(kInvalidPicture, QStringLiteral("Invalid picture"));
    const int hotX = qFromLittleEndian<quint16>(bytes.constData() + 10);
    const int hotY = qFromLittleEndian<quint16>(bytes.constData() + 12);
    QImage image;
    if (!image.loadFromData(bytes, "CUR") || image.isNull())
        throw Failure(kInvalidPicture, QStringLiteral("Invalid picture"));
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

}  // namespace HandPointer
