#include "engine/ConversionRun.h"

#include <cmath>

#include "core/ErrorTrap.h"
#include "data/ConnectionStrings.h"
#include "data/Foxpro.h"
#include "data/PostgreSQL.h"
#include "engine/CreateTableBuilder.h"
#include "engine/InsertBuilder.h"

namespace {

const QString kLocation = QStringLiteral("Form1.PushButton7_Click");
constexpr int kTimeout = 5000;

enum class Answer { NotAsked, Yes, No };

// True when some entry equals the text, letter case ignored.
bool ListHasItem(const TableList& list, const QString& text) {
    bool found = false;
    for (int i = 0; i < list.count(); ++i)
        if (list.name(i).compare(text, Qt::CaseInsensitive) == 0) found = true;
    return found;
}

// Removes the entries that equal the text exactly.
void ListRemoveItem(TableList& list, const QString& text) {
    for (int i = list.count() - 1; i >= 0; --i)
        if (list.name(i) == text) list.removeItem(i);
}

long long countRows(DataLink::Connection& postgres, const QString& schema, const QString& name) {
    QString table = postgreSQLIdentifier(name);
    if (!schema.isEmpty()) table = postgreSQLIdentifier(schema) + QLatin1Char('.') + table;
    auto result = postgres.execute(QStringLiteral("SELECT count(*) FROM ") + table);
    if (!result || result->eof()) return -1;
    const long long count = result->field(0).value.toLongLong();
    result->close();
    return count;
}

int percent(long long rowCounter, long long rowCount) {
    const double value = std::round(double(rowCounter + 1) / double(rowCount + 1) * 100.0);
    return value > 100.0 ? 100 : int(value);
}

}  // namespace

ConversionRun::ConversionRun(ConversionHost& host) : host_(host) {}

ConversionRun::~ConversionRun() = default;

void ConversionRun::PushButton7_Click() {
    if (conversionBusy_) return;
    conversionBusy_ = true;
    ErrorTrap trap(host_.errorReporter(), kLocation);
    trap.enter(102);

    std::unique_ptr<DataLink::Connection> postgres;
    std::unique_ptr<DataLink::Recordset> source;
    bool connectionsOpen = false;
    TableList& foxTables = host_.foxProTables();
    TableList& pgTables = host_.postgresTables();

    trap.step(104, [&] { foxProConn_ = std::make_unique<DataLink::Connection>(); });
    trap.step(106, [&] { postgres = std::make_unique<DataLink::Connection>(); });

    // A side that does not open ends the run before anything is written; the user is told
    // which one, where a silent stop would leave the click unanswered.
    if (trap.test(116, [&] { return !IsValidFoxProConnection(host_.connectionFields(), host_.errorReporter()); })) {
        host_.messages().information(QStringLiteral(
            "Could not open the FoxPro target. Please check the folder or database container."));
        conversionBusy_ = false;
        return;
    }
    if (trap.test(118, [&] { return !IsValidPostgreSQLConnection(host_.connectionFields()); })) {
        host_.messages().information(QStringLiteral(
            "Could not connect to PostgreSQL. Please check with your administrator."));
        conversionBusy_ = false;
        return;
    }
    trap.step(120, [&] { host_.pointer().setPointer(Pointer::Busy); });
    trap.step(122, [&] { foxTables.clear(); });
    trap.step(124, [&] { pgTables.clear(); });
    trap.step(126, [&] {
        AddTablesToFoxproListbox(host_.connectionFields(), foxTables, host_.errorReporter(),
                                 [&] { host_.processEvents(); });
    });
    trap.step(128, [&] {
        AddTablesToPostgreSQLListbox(host_.connectionFields(), pgTables, [&] { host_.processEvents(); });
    });

    trap.step(130, [&] { postgres->setCursorLocation(DataLink::kServerSide); });
    trap.step(132, [&] { postgres->setCommandTimeout(kTimeout); });
    trap.step(134, [&] { postgres->setConnectionTimeout(kTimeout); });
    trap.step(136, [&] { postgres->open(postgreSQLConnectionString(host_.connectionFields())); });
    trap.step(138, [&] { foxProConn_->setCursorLocation(DataLink::kServerSide); });
    trap.step(140, [&] { foxProConn_->setCommandTimeout(kTimeout); });
    trap.step(142, [&] { foxProConn_->setConnectionTimeout(kTimeout); });
    trap.step(144, [&] { connectionsOpen = true; });
    const bool containerTarget = host_.connectionFields().optionDbc;
    trap.step(containerTarget ? 148 : 150, [&] {
        foxProConn_->open(foxProConnectionString(host_.connectionFields(), CollatingSequence::Machine));
    });
    trap.step(154, [&] { script_.clear(); });
    trap.step(156, [&] { viewerRows_.clear(); });

    CreateTableBuilder create;
    InsertBuilder insert;
    // Delivers one statement: into the preview script, or straight to the FoxPro target.
    auto deliver = [&](int addLine, int executeLine, const QString& statement) {
        if (host_.previewMode())
            trap.step(addLine, [&] { script_.append(statement); });
        else
            trap.step(executeLine, [&] { foxProConn_->execute(statement); });
    };

    for (int i = pgTables.count() - 1; i >= 0; --i) {
        trap.step(158, [&] { host_.processEvents(); });
        QString name;
        QString schema;
        trap.step(160, [&] {
            name = pgTables.name(i);
            schema = pgTables.schema(i);
        });

        Answer answer = Answer::NotAsked;
        if (trap.test(162, [&] { return ListHasItem(foxTables, name); })) {
            trap.step(164, [&] {
                answer = host_.messages().askYesNo(
                             QStringLiteral("Would you like to overwrite ") + name + QLatin1Char('?'),
                             QStringLiteral("Overwrite?"))
                             ? Answer::Yes
                             : Answer::No;
            });
        }
        if (answer == Answer::No) {
            trap.step(168, [&] { host_.setProgressText(QString()); });
            continue;
        }
        if (trap.test(170, [&] { return host_.previewEachTable(); })) {
            trap.step(172, [&] { script_.clear(); });
            trap.step(174, [&] { viewerRows_.clear(); });
        }
        if (answer == Answer::Yes) {
            const QString drop = QStringLiteral("DROP TABLE ") + CreateTableBuilder::quotedTableName(name);
            deliver(180, 182, drop);
            trap.step(184, [&] { ListRemoveItem(foxTables, name.toLower()); });
        }
        trap.step(186, [&] { host_.setProgressText(QStringLiteral("Please wait.. Processing table ") + name); });

        // The row count comes from the table itself: a streaming result cannot count ahead.
        source.reset();
        long long rowCount = -1;
        try {
            rowCount = countRows(*postgres, schema, name);
        } catch (...) {
            rowCount = -1;
        }
        trap.step(188, [&] { source = postgres->execute(postgreSQLSourceQuery(schema, name)); });

        trap.step(190, [&] { create.begin(name); });
        if (source) {
            for (const DataLink::Field& field : source->fields()) {
                trap.step(200, [&] {
                    host_.processEvents();
                    create.addField(field, &viewerRows_);
                });
            }
        }
        trap.step(310, [&] { create.finish(); });

        // A table whose every column is long binary has nothing to create or fill.
        if (create.hasColumns()) {
            deliver(316, 318, create.statement());
            // The table now exists in the target: a later table of the same name (from another
            // schema, or differing only in letter case) is asked about instead of being mixed
            // into this one.
            trap.step(314, [&] {
                if (!ListHasItem(foxTables, name)) foxTables.addItem(name);
            });
            trap.step(320, [&] { insert.beginTable(name, create.numericColumns()); });
            // A result that could not be opened has no rows to read.
            if (source && trap.test(322, [&] { return !source->eof() && !source->bof(); })) {
                long long rowCounter = 0;
                int shownPercent = -1;
                bool more = true;
                while (more) {
                    trap.step(326, [&] { host_.processEvents(); });
                    ++rowCounter;
                    trap.step(330, [&] {
                        if (rowCount >= 0) {
                            const int value = percent(rowCounter, rowCount);
                            if (value != shownPercent) host_.setProgressValue(shownPercent = value);
                        } else if (rowCounter % 1000 == 1) {
                            // Without a count the bar keeps moving and the text tells the row.
                            host_.setProgressValue(int((rowCounter / 1000) % 101));
                            host_.setProgressText(QStringLiteral("Please wait.. Processing table ") +
                                                  name + QStringLiteral(", row ") +
                                                  QString::number(rowCounter));
                        }
                    });
                    trap.step(334, [&] {
                        insert.beginRow();
                        for (const DataLink::Field& field : source->fields()) {
                            host_.processEvents();
                            insert.addField(field);
                        }
                        insert.finishRow();
                    });
                    deliver(418, 428, insert.statement());
                    trap.step(430, [&] { source->moveNext(); });
                    // A failing end-of-rows test ends the rows instead of repeating forever.
                    trap.enter(432);
                    try {
                        more = !source->eof();
                    } catch (...) {
                        trap.reportCurrentFailure();
                        more = false;
                    }
                }
            }
        }
        trap.step(434, [&] {
            if (source) source->close();
        });
        trap.step(436, [&] { stopAfterPreview = true; });

        if (trap.test(438, [&] { return host_.previewMode() && host_.previewEachTable(); })) {
            trap.step(440, [&] { host_.showPreview(); });
            if (trap.test(442, [&] { return stopAfterPreview; })) break;
        }
        trap.step(446, [&] { host_.setProgressText(QString()); });
    }

    if (trap.test(450, [&] { return host_.previewMode() && host_.previewEachFile(); })) {
        trap.step(452, [&] { sqlFormOk = false; });
        trap.step(454, [&] { host_.showPreview(); });
        if (trap.test(456, [&] { return !sqlFormOk; })) {
            trap.step(458, [&] { foxProConn_->close(); });
            trap.step(460, [&] { postgres->close(); });
            trap.step(462, [&] { connectionsOpen = false; });
            trap.step(464, [&] { host_.setProgressText(QString()); });
        }
    }
    if (trap.test(468, [&] { return connectionsOpen; })) {
        trap.step(470, [&] { foxProConn_->close(); });
        trap.step(472, [&] { postgres->close(); });
    }
    trap.step(474, [&] { host_.pointer().setPointer(Pointer::Normal); });
    trap.step(476, [&] { host_.setProgressValue(0); });
    trap.step(478, [&] { host_.setProgressText(QStringLiteral("Progress Bar")); });
    trap.step(480, [&] { host_.messages().information(QStringLiteral("Done.")); });
    trap.step(482, [&] { conversionBusy_ = false; });
}
