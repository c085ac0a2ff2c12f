#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "data/DataLink.h"
#include "engine/RegionalSettings.h"
#include "engine/ValueTests.h"

// Builds "INSERT INTO [table] VALUES (...);" for one source row at a time. A value in a numeric
// column is written unquoted; every other value is quoted, escaped, freed of line breaks, and
// rewritten as mm/dd/yyyy[ hh:nn:ss] when it reads as a date. A table without any numeric
// column also turns decimal commas of numeric texts into points. Buffers are reused from row
// to row, so a steady stream of rows allocates nothing.
class InsertBuilder {
public:
    explicit InsertBuilder(RegionalSettings settings = RegionalSettings::system());

    // Before the first row: the table name as listed and the CREATE TABLE builder's list of
    // numeric column positions ("0, 3, ").
    void beginTable(const QString& tableName, const QString& numericColumns);
    bool hasNumericColumns() const { return hasNumericColumns_; }

    void beginRow();
    // The next field of the row, in result order (long binary fields included: they give no
    // value but still count as a position).
    void addField(const DataLink::Field& field);
    // Closes the statement and returns it; valid until the next beginRow.
    const QString& finishRow();
    const QString& statement() const { return statement_; }

private:
    enum class Way { Numeric, Plain, PlainCleaned };

    void writeNull();
    void writeNumeric(const QVariant& value);
    void writePlain(const QVariant& value, bool cleanNumbers);
    void appendDate(const ValueTests::DateTimeParts& parts, bool withTime);
    bool typedDate(const QVariant& value, ValueTests::DateTimeParts& parts, bool& withTime) const;
    // The value's text form in the user's regional settings, cut to 254 characters; returns
    // a view into the value itself or into a reused buffer.
    QStringView valueText(const QVariant& value);
    QStringView escape(QStringView text);

    RegionalSettings settings_;
    QString prefix_;
    std::vector<int> numericEntries_;
    bool hasNumericColumns_ = false;
    std::size_t pointer_ = 0;
    int position_ = 0;
    QString statement_;
    QString text_;
    QString escaped_;
};
