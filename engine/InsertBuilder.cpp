#include "engine/InsertBuilder.h"

#include <QDateTime>
#include <charconv>
#include <cstdint>

namespace {

constexpr int kMaxValueLength = 254;
constexpr std::int16_t kLongVarBinary = 205;

void appendLatin1(QString& out, const char* begin, const char* end) {
    out.append(QLatin1String(begin, static_cast<int>(end - begin)));
}

template <class Number>
void appendNumber(QString& out, Number value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    appendLatin1(out, buffer, result.ptr);
}

// Two digits, or four for the year, zero-padded.
void appendPadded(QString& out, int value, int width) {
    char buffer[16];
    char* end = buffer + sizeof buffer;
    char* p = end;
    unsigned v = static_cast<unsigned>(value < 0 ? -value : value);
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (end - p < width) *--p = '0';
    if (value < 0) *--p = '-';
    appendLatin1(out, p, end);
}

// Appends a typed number in plain form with a decimal point ("-12.5", "1e+20", "19.990");
// false when the value is no number.
bool appendPlainNumber(QString& out, const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::LongLong: appendNumber(out, value.toLongLong()); return true;
        case QMetaType::Int: appendNumber(out, value.toInt()); return true;
        case QMetaType::ULongLong: appendNumber(out, value.toULongLong()); return true;
        case QMetaType::UInt: appendNumber(out, value.toUInt()); return true;
        case QMetaType::Double: appendNumber(out, value.toDouble()); return true;
        case QMetaType::Float: appendNumber(out, value.toFloat()); return true;
        default:
            if (value.metaType() != QMetaType::fromType<DataLink::Decimal>()) return false;
            out.append(static_cast<const DataLink::Decimal*>(value.constData())->text);
            return true;
    }
}

bool isText(const QVariant& v) { return v.metaType().id() == QMetaType::QString; }
const QString& textOf(const QVariant& v) { return *static_cast<const QString*>(v.constData()); }

}  // namespace

InsertBuilder::InsertBuilder(RegionalSettings settings) : settings_(settings) {}

void InsertBuilder::beginTable(const QString& tableName, const QString& numericColumns) {
    prefix_ = QStringLiteral("INSERT INTO [") + tableName + QStringLiteral("] VALUES (");
    // "0, 3, " splits into "0", "3" and a last empty entry that matches no position.
    numericEntries_.clear();
    const auto entries = QStringView(numericColumns).split(QStringLiteral(", "));
    for (QStringView entry : entries) {
        bool ok = false;
        const int position = entry.toInt(&ok);
        numericEntries_.push_back(ok ? position : -1);
    }
    hasNumericColumns_ = !numericColumns.isEmpty() && numericEntries_.size() > 1;
}

void InsertBuilder::beginRow() {
    pointer_ = 0;
    statement_.resize(0);
    statement_.append(prefix_);
    position_ = 0;
}

void InsertBuilder::addField(const DataLink::Field& field) {
    if (static_cast<std::int16_t>(field.type) != kLongVarBinary) {
        if (!hasNumericColumns_) {
            writePlain(field.value, true);
        } else if (pointer_ < numericEntries_.size() && numericEntries_[pointer_] == position_) {
            writeNumeric(field.value);
            ++pointer_;
        } else {
            writePlain(field.value, false);
        }
    }
    ++position_;
}

const QString& InsertBuilder::finishRow() {
    // Drops the final ", " (or, for a row without any value, the " (" after VALUES, so the
    // statement is at least well formed).
    statement_.chop(2);
    statement_.append(QStringLiteral(");"));
    return statement_;
}

void InsertBuilder::writeNull() {
    if (statement_.endsWith(QStringLiteral(", "))) statement_.chop(1);
    statement_.append(QStringLiteral("NULL, "));
}

void InsertBuilder::writeNumeric(const QVariant& value) {
    // Typed numbers are written straight from the value with a decimal point, which is what
    // their text with its commas turned into points would give.
    if (value.metaType().id() == QMetaType::Bool) {
        statement_.append(value.toBool() ? QLatin1Char('1') : QLatin1Char('0'));
    } else if (!appendPlainNumber(statement_, value)) {
        const QStringView text = valueText(value);
        if (text.isEmpty()) {
            writeNull();
            return;
        }
        if (text == QLatin1String("False")) {
            statement_.append(QLatin1Char('0'));
        } else if (text == QLatin1String("True")) {
            statement_.append(QLatin1Char('1'));
        } else if (settings_.decimalComma() && ValueTests::isNumeric(text, settings_)) {
            const qsizetype start = statement_.size();
            statement_.append(text);
            for (qsizetype i = start; i < statement_.size(); ++i)
                if (statement_[i] == QLatin1Char(',')) statement_[i] = QLatin1Char('.');
        } else {
            statement_.append(text);
        }
    }
    statement_.append(QStringLiteral(", "));
}

void InsertBuilder::writePlain(const QVariant& value, bool cleanNumbers) {
    ValueTests::DateTimeParts parts;
    bool withTime = false;
    if (typedDate(value, parts, withTime)) {
        appendDate(parts, withTime);
        return;
    }
    QStringView text = valueText(value);
    if (text.isEmpty()) {
        writeNull();
        return;
    }
    text = escape(text);
    if (cleanNumbers && settings_.decimalComma() && ValueTests::isNumeric(text, settings_)) {
        if (text.data() != escaped_.constData()) {
            escaped_.resize(0);
            escaped_.append(text);
        }
        escaped_.replace(QLatin1Char(','), QLatin1Char('.'));
        text = escaped_;
    }
    if (ValueTests::parseDate(text, settings_, parts)) {
        appendDate(parts, text.contains(QLatin1Char(':')));
        return;
    }
    statement_.append(QLatin1Char('\''));
    statement_.append(text);
    statement_.append(QStringLiteral("', "));
}

bool InsertBuilder::typedDate(const QVariant& value, ValueTests::DateTimeParts& parts,
                              bool& withTime) const {
    switch (value.metaType().id()) {
        case QMetaType::QDate: {
            const QDate d = value.toDate();
            if (!d.isValid()) return false;
            parts = {d.year(), d.month(), d.day(), 0, 0, 0};
            withTime = false;
            return true;
        }
        case QMetaType::QTime: {
            const QTime t = value.toTime();
            if (!t.isValid()) return false;
            parts = {1899, 12, 30, t.hour(), t.minute(), t.second()};
            withTime = true;
            return true;
        }
        case QMetaType::QDateTime: {
            const QDateTime dt = value.toDateTime();
            if (!dt.isValid()) return false;
            const QDate d = dt.date();
            const QTime t = dt.time();
            parts = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
            // The text form leaves out midnight, unless the date is the zero day too.
            withTime = t != QTime(0, 0) || d == QDate(1899, 12, 30);
            return true;
        }
        default: return false;
    }
}

void InsertBuilder::appendDate(const ValueTests::DateTimeParts& parts, bool withTime) {
    statement_.append(QLatin1Char('\''));
    appendPadded(statement_, parts.month, 2);
    statement_.append(QLatin1Char('/'));
    appendPadded(statement_, parts.day, 2);
    statement_.append(QLatin1Char('/'));
    appendPadded(statement_, parts.year, 4);
    if (withTime) {
        statement_.append(QLatin1Char(' '));
        appendPadded(statement_, parts.hour, 2);
        statement_.append(QLatin1Char(':'));
        appendPadded(statement_, parts.minute, 2);
        statement_.append(QLatin1Char(':'));
        appendPadded(statement_, parts.second, 2);
    }
    statement_.append(QStringLiteral("', "));
}

QStringView InsertBuilder::valueText(const QVariant& value) {
    QStringView text;
    if (!value.isValid() || value.isNull()) return text;
    if (isText(value)) {
        text = textOf(value);
    } else {
        text_.resize(0);
        if (value.metaType().id() == QMetaType::Bool) {
            text_.append(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
        } else if (appendPlainNumber(text_, value)) {
            text_.replace(QLatin1Char('.'), settings_.decimalPoint);
            text_.replace(QLatin1Char('e'), QLatin1Char('E'));
        } else if (value.metaType().id() == QMetaType::QByteArray) {
            text_.append(QLatin1String(value.toByteArray().toHex()));
        } else {
            text_.append(value.toString());
        }
        text = text_;
    }
    if (text.size() > kMaxValueLength) {
        // Never split a character that needs two UTF-16 units.
        const bool splitsPair = text[kMaxValueLength - 1].isHighSurrogate();
        text = text.left(splitsPair ? kMaxValueLength - 1 : kMaxValueLength);
    }
    return text;
}

QStringView InsertBuilder::escape(QStringView text) {
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\'' || c == u'\r' || c == u'\n') break;
    }
    if (i == text.size()) return text;
    escaped_.resize(0);
    escaped_.append(text.left(i));
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'')) {
            escaped_.append(QStringLiteral("''"));
        } else if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            escaped_.append(c);
        }
    }
    return escaped_;
}
