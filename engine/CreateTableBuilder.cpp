#include "engine/CreateTableBuilder.h"

#include <array>

#include "engine/DataTypeName.h"

namespace {

struct MappingRule {
    const char* searchWord;  // nullptr: every type the rules above did not take
    const char* clause;
    const char* typeClass;
    const char* foxproType;
    bool numeric;
};

// Order decides: the first rule whose word occurs in the lower-case type name applies.
// A single-precision number becomes DOUBLE and a numeric DEC, so fractions survive.
constexpr std::array<MappingRule, 9> kRules{{
    {"char", "] CHAR(254),", "varwchar", "TEXT", false},
    {"decimal", "] DEC,", "decimal", "NUMERIC", true},
    {"single", "] DOUBLE,", "single", "NUMERIC", true},
    {"int", "] INT,", "int", "INTEGER", true},
    {"numeric", "] DEC,", "numeric", "NUMERIC", true},
    {"date", "] CHAR(12),", "date", "TEXT", false},
    {"timestamp", "] CHAR(25),", "timestamp", "TEXT", false},
    {"double", "] DOUBLE,", "double", "NUMERIC", true},
    {nullptr, "] CHAR(254),", "OTHER TYPES", "TEXT", false},
}};

const MappingRule& ruleFor(const QString& typeName) {
    for (const MappingRule& rule : kRules)
        if (!rule.searchWord || typeName.contains(QLatin1String(rule.searchWord))) return rule;
    return kRules.back();
}

// Column names of ASCII letters, digits and "_" that start with a letter are the ones every
// xBase reader takes (FoxPro refuses the rest, and readers stumble over a leading "_").
QString foxProSafe(const QString& name) {
    QString safe = name;
    for (QChar& c : safe) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                        (u >= '0' && u <= '9') || u == '_';
        if (!ok) c = QLatin1Char('_');
    }
    if (!safe.isEmpty() && !(safe.at(0).isLetter() && safe.at(0).unicode() < 128))
        safe.prepend(QLatin1Char('F'));
    return safe;
}

}  // namespace

void CreateTableBuilder::begin(const QString& tableName) {
    tableName_ = tableName;
    statement_ = QStringLiteral("CREATE TABLE ") + quotedTableName(tableName) + QLatin1Char('(');
    usedColumnNames_.clear();
    numericColumns_.clear();
    position_ = 0;
    columnCount_ = 0;
}

QString CreateTableBuilder::quotedTableName(const QString& tableName) {
    if (tableName.contains(QLatin1Char('"'))) return QLatin1Char('[') + tableName + QLatin1Char(']');
    return QLatin1Char('"') + tableName + QLatin1Char('"');
}

QString CreateTableBuilder::columnName(const QString& fieldName, QString& usedColumnNames) {
    QString candidate = fieldName.trimmed();
    candidate.remove(QLatin1Char(' '));
    candidate = foxProSafe(candidate.left(8)).left(8);
    int counter = 0;
    while (usedColumnNames.contains(candidate, Qt::CaseInsensitive)) {
        ++counter;
        candidate = candidate.left(7) + QString::number(counter);
    }
    usedColumnNames += QLatin1Char(',') + candidate;
    return candidate;
}

void CreateTableBuilder::addField(const DataLink::Field& field, TypeConversionRows* rows) {
    if (rows) {
        rows->addRow(tableName_);
        rows->setLastField(field.name);
    }
    const QString name = columnName(field.name, usedColumnNames_);
    const QString typeName = lowerDataTypeName(field.type);
    if (typeName != QLatin1String("adlongvarbinary")) {
        const MappingRule& rule = ruleFor(typeName);
        statement_ += QLatin1Char('[') + name + QLatin1String(rule.clause);
        if (rows)
            rows->setLastTypes(QLatin1String(rule.typeClass), QLatin1String(rule.foxproType));
        if (rule.numeric) numericColumns_ += QString::number(position_) + QStringLiteral(", ");
        ++columnCount_;
    }
    ++position_;
}

const QString& CreateTableBuilder::finish() {
    statement_.chop(1);
    statement_ += QStringLiteral(");");
    return statement_;
}
