#pragma once

#include <QString>

#include "data/DataLink.h"
#include "engine/TypeConversionRows.h"

// Turns a source result's field list into one FoxPro CREATE TABLE statement: a unique column
// name of at most 8 characters per field and a column type chosen from the field's type name.
// It also notes the numeric column positions for the row statements and writes one type
// conversion row per field.
class CreateTableBuilder {
public:
    void begin(const QString& tableName);
    // The next field, in result order; `rows` may be null when nobody shows them.
    void addField(const DataLink::Field& field, TypeConversionRows* rows);
    // Closes the statement and returns it.
    const QString& finish();

    // False when every field was long binary: the table has no column to create.
    bool hasColumns() const { return columnCount_ > 0; }
    // Numeric column positions, each followed by ", " ("0, 3, ").
    const QString& numericColumns() const { return numericColumns_; }
    const QString& statement() const { return statement_; }

    // A table name as CREATE and DROP write it: in double quotes, or in square brackets when it
    // holds a double quote itself (FoxPro has no way to escape one inside quotes).
    static QString quotedTableName(const QString& tableName);

    // The FoxPro column name for a field name, unique within `usedColumnNames` (",id,name"),
    // which it extends.
    static QString columnName(const QString& fieldName, QString& usedColumnNames);

private:
    QString tableName_;
    QString statement_;
    QString usedColumnNames_;
    QString numericColumns_;
    int position_ = 0;
    int columnCount_ = 0;
};
