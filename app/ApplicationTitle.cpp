#include "app/ApplicationTitle.h"

#include "core/Product.h"

namespace {
const int kMaxLength = 40;
QString& stored() {
    static QString title = QString::fromLatin1(Product::kName);
    return title;
}
}  // namespace

namespace ApplicationTitle {

QString fromProductName(const QString& name) {
    QString title = name;
    do {
        const int blank = title.lastIndexOf(u' ');
        if (blank < 0) return title.left(kMaxLength);
        title = title.left(blank);
    } while (title.size() > kMaxLength);
    return title;
}

void set(const QString& title) {
    stored() = title;
}
QString current() {
    return stored();
}

}  // namespace ApplicationTitle
