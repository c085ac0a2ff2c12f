#include "data/odbc/OdbcColumn.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "data/DataLink.h"
#include "data/odbc/OdbcDiagnostics.h"
#include "data/odbc/OdbcTypes.h"

namespace {

// Slots for texts and binary values of unknown or large size; longer values are read whole.
constexpr SQLULEN kLongSlotChars = 1024;
// Room for "yyyy-mm-dd hh:mm:ss.ffffff+hh:mm BC".
constexpr SQLLEN kTimeSlot = 48;

OdbcColumn::Kind kindOf(SQLSMALLINT sqlType) {
    using K = OdbcColumn::Kind;
    switch (sqlType) {
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_TINYINT:
        case SQL_BIGINT:
            return K::Integer;
        case SQL_REAL:
            return K::Real;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return K::Double;
        case SQL_BIT:
            return K::Bit;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return K::Date;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return K::Time;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return K::Timestamp;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return K::Decimal;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return K::Binary;
        default:
            return K::Text;
    }
}

SQLULEN boundedSize(SQLULEN columnSize) {
    if (columnSize == 0) return kLongSlotChars;
    return std::min(columnSize, kLongSlotChars);
}

// Replaces the text held by `value` without a new allocation when it already holds a text
// with room enough (the usual case from the second row on).
template <class Char>
void assignText(QVariant& value, const Char* data, qsizetype length) {
    if (value.typeId() != QMetaType::QString) value = QString();
    QString& text = *static_cast<QString*>(value.data());
    text.resize(length);
    QChar* out = text.data();
    if constexpr (sizeof(Char) == sizeof(QChar)) {
        std::memcpy(static_cast<void*>(out), data, size_t(length) * sizeof(QChar));
    } else {
        for (qsizetype i = 0; i < length; ++i) out[i] = QChar(uchar(data[i]));
    }
}

// An exact decimal as DataLink::Decimal; the server's "NaN" and "Infinity" are no decimal
// numbers and travel as plain text.
void assignDecimal(QVariant& value, const char* data, qsizetype length) {
    if (length > 0 && (data[length - 1] < '0' || data[length - 1] > '9')) {
        assignText(value, data, length);
        return;
    }
    if (value.metaType() != QMetaType::fromType<DataLink::Decimal>())
        value = QVariant::fromValue(DataLink::Decimal());
    QString& text = static_cast<DataLink::Decimal*>(value.data())->text;
    text.resize(length);
    QChar* out = text.data();
    for (qsizetype i = 0; i < length; ++i) out[i] = QChar(uchar(data[i]));
}

void assignBytes(QVariant& value, const char* data, qsizetype length) {
    if (value.typeId() != QMetaType::QByteArray) value = QByteArray();
    QByteArray& bytes = *static_cast<QByteArray*>(value.data());
    bytes.resize(length);
    std::memcpy(bytes.data(), data, size_t(length));
}

// A 4-byte float as the double whose shortest text is the float's own shortest text, so that
// 0.1f reads back as 0.1 and not as 0.10000000149011612.
double shortestDouble(float f) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, f).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

int digits(const char*& p, int count) {
    int n = 0;
    for (int i = 0; i < count && *p >= '0' && *p <= '9'; ++i, ++p) n = n * 10 + (*p - '0');
    return n;
}

// "hh:mm:ss[.ffffff][zone]" as the server writes a time of day.
QTime parseTime(const char* p) {
    const int h = digits(p, 2);
    if (*p == ':') ++p;
    const int m = digits(p, 2);
    if (*p == ':') ++p;
    const int s = digits(p, 2);
    int ms = 0;
    if (*p == '.') {
        ++p;
        int scale = 100;
        for (; *p >= '0' && *p <= '9'; ++p, scale /= 10) ms += (*p - '0') * scale;
    }
    // 24:00:00 is a valid PostgreSQL time; the nearest a time of day can hold is its last ms.
    if (h == 24) return QTime(23, 59, 59, 999);
    return QTime(h, m, s, ms);
}

// "yyyy-mm-dd[ hh:mm:ss[.ffffff]][ BC]" as the driver writes dates and time stamps. The driver
// writes zeros for what it cannot represent (infinite dates, years past 9999): those give an
// invalid date, which arrives as Null rather than as a made-up day.
QDateTime parseTimestamp(const char* text, SQLLEN length) {
    const char* p = text;
    const int y = digits(p, 4);
    if (*p == '-') ++p;
    const int m = digits(p, 2);
    if (*p == '-') ++p;
    const int d = digits(p, 2);
    QTime time(0, 0);
    if (*p == ' ' && p[1] >= '0' && p[1] <= '9') time = parseTime(p + 1);
    const bool bc = length >= 3 && std::memcmp(text + length - 3, " BC", 3) == 0;
    return QDateTime(QDate(bc ? -y : y, m, d), time, Qt::UTC);
}

}  // namespace

OdbcColumn::OdbcColumn(SQLSMALLINT sqlType, SQLULEN columnSize, bool isUnsigned)
    : kind_(kindOf(sqlType)), type_(::dataAccessType(sqlType, isUnsigned)) {
    switch (kind_) {
        case Kind::Integer:
            cType_ = isUnsigned ? SQL_C_UBIGINT : SQL_C_SBIGINT;
            slot_ = sizeof(SQLBIGINT);
            break;
        case Kind::Real:
            cType_ = SQL_C_FLOAT;
            slot_ = sizeof(SQLREAL);
            break;
        case Kind::Double:
            cType_ = SQL_C_DOUBLE;
            slot_ = sizeof(SQLDOUBLE);
            break;
        case Kind::Bit:
            cType_ = SQL_C_BIT;
            slot_ = sizeof(SQLCHAR);
            break;
        case Kind::Date:
        case Kind::Time:
        case Kind::Timestamp:
            // As text: the time structure has no fractions of a second, and the driver fills
            // the date structures with today's date for an infinite date and drops the era.
            cType_ = SQL_C_CHAR;
            slot_ = kTimeSlot;
            break;
        case Kind::Decimal:
            cType_ = SQL_C_CHAR;
            slot_ = SQLLEN(std::max<SQLULEN>(boundedSize(columnSize), 62) + 2);
            break;
        case Kind::Text:
            cType_ = SQL_C_WCHAR;
            slot_ = SQLLEN((boundedSize(columnSize) + 1) * sizeof(SQLWCHAR));
            break;
        case Kind::Binary:
            cType_ = SQL_C_BINARY;
            slot_ = SQLLEN(boundedSize(columnSize));
            break;
    }
    // Column-wise binding steps through a fixed-size column by the C type's own size, so only
    // the variable-length slots may be padded (to keep the next row's text aligned).
    const bool variableLength =
        cType_ == SQL_C_CHAR || cType_ == SQL_C_WCHAR || cType_ == SQL_C_BINARY;
    if (variableLength) slot_ = (slot_ + 7) & ~SQLLEN(7);
}

void OdbcColumn::bind(SQLHSTMT statement, SQLUSMALLINT number, size_t rows) {
    number_ = number;
    buffer_.assign(rows * size_t(slot_), 0);
    indicators_.assign(rows, 0);
    OdbcDiagnostics::check(
        SQLBindCol(statement, number, cType_, buffer_.data(), slot_, indicators_.data()),
        SQL_HANDLE_STMT, statement, "Binding a result column failed.");
}

void OdbcColumn::load(SQLHSTMT statement, size_t row, QVariant& value) {
    const SQLLEN indicator = indicators_[row];
    if (indicator == SQL_NULL_DATA) {
        if (value.isValid()) value = QVariant();
        return;
    }
    const char* data = slot(row);
    switch (kind_) {
        case Kind::Integer: {
            SQLBIGINT n;
            std::memcpy(&n, data, sizeof n);
            value.setValue(qlonglong(n));
            return;
        }
        case Kind::Real: {
            SQLREAL f;
            std::memcpy(&f, data, sizeof f);
            value.setValue(shortestDouble(f));
            return;
        }
        case Kind::Double: {
            SQLDOUBLE d;
            std::memcpy(&d, data, sizeof d);
            value.setValue(d);
            return;
        }
        case Kind::Bit:
            value.setValue(*data != 0);
            return;
        case Kind::Time:
            value.setValue(parseTime(data));
            return;
        case Kind::Date:
        case Kind::Timestamp: {
            const QDateTime stamp = parseTimestamp(data, indicator);
            if (!stamp.isValid()) {
                if (value.isValid()) value = QVariant();
            } else if (kind_ == Kind::Date) {
                value.setValue(stamp.date());
            } else {
                // The wall-clock fields exactly as the server sent them: no time zone applies,
                // so a time inside a daylight-saving gap is not moved.
                value.setValue(stamp);
            }
            return;
        }
        case Kind::Decimal:
        case Kind::Text:
        case Kind::Binary:
            break;
    }
    const SQLLEN room = slot_ - (kind_ == Kind::Binary ? 0 : kind_ == Kind::Text ? 2 : 1);
    if (indicator == SQL_NO_TOTAL || indicator > room) {
        loadLong(statement, row, value);
    } else if (kind_ == Kind::Text) {
        assignText(value, reinterpret_cast<const char16_t*>(data), indicator / 2);
    } else if (kind_ == Kind::Decimal) {
        assignDecimal(value, data, indicator);
    } else {
        assignBytes(value, data, indicator);
    }
}

void OdbcColumn::loadLong(SQLHSTMT statement, size_t row, QVariant& value) {
    OdbcDiagnostics::check(
        SQLSetPos(statement, SQLSETPOSIROW(row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE),
        SQL_HANDLE_STMT, statement, "Positioning on a row failed.");
    const size_t unit = kind_ == Kind::Text ? 2 : 1;
    const size_t terminator = kind_ == Kind::Binary ? 0 : unit;
    QByteArray whole;
    char chunk[32768];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(statement, number_, cType_, chunk, sizeof chunk, &indicator);
        if (rc == SQL_NO_DATA) break;
        OdbcDiagnostics::check(rc, SQL_HANDLE_STMT, statement, "Reading a long value failed.");
        if (indicator == SQL_NULL_DATA) {
            value = QVariant();
            return;
        }
        const size_t room = sizeof chunk - terminator;
        const bool partial = indicator == SQL_NO_TOTAL || size_t(indicator) > room;
        // A part that filled the chunk holds whole characters only.
        whole.append(chunk, qsizetype(partial ? room - room % unit : size_t(indicator)));
        if (!partial) break;
    }
    if (kind_ == Kind::Text)
        assignText(value, reinterpret_cast<const char16_t*>(whole.constData()), whole.size() / 2);
    else if (kind_ == Kind::Decimal)
        assignDecimal(value, whole.constData(), whole.size());
    else
        assignBytes(value, whole.constData(), whole.size());
}
