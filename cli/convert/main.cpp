#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QTextStream>

#include "cli/convert/ConsoleHost.h"
#include "data/ConnectionStrings.h"
#include "data/DataLink.h"
#include "engine/ConversionRun.h"

namespace {

constexpr int kUsageOrConnection = 2;

int fail(const QString& message) {
    QTextStream(stderr) << "brindlecast-convert: " << message << '\n';
    return kUsageOrConnection;
}

// Opens a connection once so that a refused connection is told in the driver's own words
// before the run starts (the run itself would stop silently).
QString connectionProblem(const QString& connectionString) {
    try {
        DataLink::Connection connection;
        connection.open(connectionString);
        connection.close();
        return QString();
    } catch (const std::exception& e) {
        return Failure::describe(e);
    }
}

bool writeTypes(const QString& path, const TypeConversionRows& rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (int i = 0; i < rows.count(); ++i) {
        const auto& r = rows.row(i);
        file.write((r.table + '\t' + r.field + '\t' + r.typeClass + '\t' + r.foxproType + '\n').toUtf8());
    }
    return file.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brindlecast-convert"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Copies every table of a PostgreSQL database into Visual FoxPro tables, without windows.\n"
        "Exit status: 0 when every statement succeeded, 1 when any failed, 2 for usage or\n"
        "connection failures."));
    parser.addHelpOption();
    const QCommandLineOption server(QStringLiteral("server"), "PostgreSQL server name or address.", "host");
    const QCommandLineOption port(QStringLiteral("port"), "PostgreSQL port.", "port", "5432");
    const QCommandLineOption user(QStringLiteral("user"), "PostgreSQL user name.", "name");
    const QCommandLineOption password(QStringLiteral("password"), "Password (default: the PGPASSWORD environment variable).", "password");
    const QCommandLineOption database(QStringLiteral("database"), "PostgreSQL database.", "name");
    const QCommandLineOption folder(QStringLiteral("folder"), "Target: a folder of free FoxPro tables.", "dir");
    const QCommandLineOption dbc(QStringLiteral("dbc"), "Target: a FoxPro database container (.dbc).", "file");
    const QCommandLineOption overwrite(QStringLiteral("overwrite"), "Answer to \"overwrite an existing table?\" for every table: yes or no (default no; each skipped table is warned about).", "yes|no", "no");
    const QCommandLineOption preview(QStringLiteral("preview-script"), "Execute nothing: write the whole run's FoxPro SQL to this file, one statement per line (UTF-8).", "file");
    const QCommandLineOption types(QStringLiteral("types"), "Write the data type conversion rows (table, field, class, FoxPro type; tab-separated) to this file.", "file");
    const QCommandLineOption progress(QStringLiteral("progress"), "Draw a progress bar with the table name on stderr when it is a terminal.");
    parser.addOptions({server, port, user, password, database, folder, dbc, overwrite, preview, types, progress});
    if (!parser.parse(app.arguments())) return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());
    if (!parser.isSet(server) || !parser.isSet(user) || !parser.isSet(database))
        return fail(QStringLiteral("--server, --user and --database are required (see --help)"));
    if (parser.isSet(folder) == parser.isSet(dbc))
        return fail(QStringLiteral("give exactly one target: --folder DIR or --dbc FILE"));
    const QString answer = parser.value(overwrite).toLower();
    if (answer != QLatin1String("yes") && answer != QLatin1String("no"))
        return fail(QStringLiteral("--overwrite takes yes or no"));

    // Output files are checked before anything is converted, not after the tables are written.
    for (const QCommandLineOption* output : {&types, &preview}) {
        if (!parser.isSet(*output)) continue;
        const QFileInfo folderInfo(QFileInfo(parser.value(*output)).absolutePath());
        if (!folderInfo.isDir() || !folderInfo.isWritable())
            return fail(QStringLiteral("cannot write %1: its folder does not exist or is not writable")
                            .arg(parser.value(*output)));
    }

    ConsoleHost::Options options;
    options.fields.server = parser.value(server);
    options.fields.port = parser.value(port);
    options.fields.user = parser.value(user);
    options.fields.password = parser.isSet(password)
                                  ? parser.value(password)
                                  : QProcessEnvironment::systemEnvironment().value(QStringLiteral("PGPASSWORD"));
    options.fields.database = parser.value(database);
    options.fields.optionDbc = parser.isSet(dbc);
    options.fields.dbcPath = parser.value(dbc);
    options.fields.folder = parser.value(folder);
    options.overwrite = answer == QLatin1String("yes");
    options.previewScript = parser.value(preview);
    options.progress = parser.isSet(progress);

    const QString pgProblem = connectionProblem(postgreSQLConnectionString(options.fields));
    if (!pgProblem.isEmpty()) return fail(QStringLiteral("cannot connect to PostgreSQL: ") + pgProblem);
    const QString foxProblem = connectionProblem(foxProConnectionString(options.fields, CollatingSequence::Machine));
    if (!foxProblem.isEmpty()) return fail(QStringLiteral("cannot open the FoxPro target: ") + foxProblem);

    ConsoleHost host(options);
    ConversionRun run(host);
    host.attach(&run);
    run.PushButton7_Click();

    if (parser.isSet(types) && !writeTypes(parser.value(types), run.viewerRows()))
        return fail(QStringLiteral("cannot write ") + parser.value(types));
    if (!options.previewScript.isEmpty() && !host.scriptWritten()) return 1;
    return host.failures() == 0 ? 0 : 1;
}
