#include "data/ConnectionStrings.h"

QString connectionStringField(const QString& value) {
    const bool needsBraces = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('=')) ||
                             value.contains(QLatin1Char('{')) || value.contains(QLatin1Char('}')) ||
                             value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    if (!needsBraces) return value;
    QString braced = value;
    braced.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + braced + QLatin1Char('}');
}

QString postgreSQLConnectionString(const ConnectionFields& fields) {
    return QStringLiteral("Driver={PostgreSQL Unicode};Server=") +
           connectionStringField(fields.server) + QStringLiteral(";Port=") +
           connectionStringField(fields.port) + QStringLiteral(";Uid=") +
           connectionStringField(fields.user) + QStringLiteral(";Pwd=") +
           connectionStringField(fields.password) + QStringLiteral(";Database=") +
           connectionStringField(fields.database);
}

QString foxProConnectionString(const ConnectionFields& fields, CollatingSequence sequence) {
    const QString& source = fields.optionDbc ? fields.dbcPath : fields.folder;
    return QStringLiteral("Provider=vfpoledb.1;Data Source=") + connectionStringField(source) +
           (sequence == CollatingSequence::Machine
                ? QStringLiteral(";Collating Sequence=machine;")
                : QStringLiteral(";Collating Sequence=general;"));
}

QString foxProCheckConnectionString(const ConnectionFields& fields) {
    return foxProConnectionString(
        fields, fields.optionDbc ? CollatingSequence::Machine : CollatingSequence::General);
}
