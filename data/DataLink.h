#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

#include "core/Failure.h"

// The program's view of the data-access component: connections that open with a connection
// string, execute SQL text and list their tables, and forward-only recordsets of typed values.
// Every failure is thrown as a Failure carrying a number and a description.
namespace DataLink {

enum CursorLocation { kServerSide = 2, kClientSide = 3 };
enum Schema { kTablesSchema = 20 };

// An exact decimal number (numeric, decimal) kept as text so no digit is lost: an optional
// "-", digits, and "." before the fraction when there is one ("-123.4500").
struct Decimal {
    QString text;
};

// One column of a recordset; `value` holds the current row's value: an invalid QVariant() for
// NULL, else QString, qlonglong, double, Decimal, bool, QDate, QTime, QDateTime or QByteArray.
struct Field {
    QString name;
    int type = 0;  // data-access type number, as DataTypeName names it
    QVariant value;
};

class Recordset {
public:
    virtual ~Recordset() = default;
    virtual bool eof() const = 0;
    virtual bool bof() const = 0;
    // Number of rows; exact under a client-side cursor, -1 where the backend cannot tell.
    virtual long long recordCount() const = 0;
    virtual void moveNext() = 0;
    virtual const std::vector<Field>& fields() const = 0;
    virtual void close() = 0;

    const Field& field(int position) const { return fields().at(position); }
    // The field with this name (letter case ignored); throws when there is none.
    const Field& field(const QString& name) const;
};

struct Options {
    int cursorLocation = kServerSide;
    int commandTimeout = 30;
    int connectionTimeout = 15;
};

// An open connection of one kind (ODBC or the embedded FoxPro engine).
class Backend {
public:
    virtual ~Backend() = default;
    // Runs one statement; returns the rows of a query, nullptr for a statement without rows.
    virtual std::unique_ptr<Recordset> execute(const QString& sql) = 0;
    virtual std::unique_ptr<Recordset> openSchema(int schema) = 0;
    virtual void close() = 0;
};

// A connection object: properties are set before `open`, which picks the backend from the
// connection string as the original component did ("Provider=vfpoledb..." or "Driver=...").
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setCursorLocation(int location) { options_.cursorLocation = location; }
    void setCommandTimeout(int seconds) { options_.commandTimeout = seconds; }
    void setConnectionTimeout(int seconds) { options_.connectionTimeout = seconds; }
    const Options& options() const { return options_; }

    void open(const QString& connectionString);
    bool isOpen() const { return backend_ != nullptr; }
    std::unique_ptr<Recordset> execute(const QString& sql);
    std::unique_ptr<Recordset> openSchema(int schema);
    void close();

private:
    Backend& openBackend();

    Options options_;
    std::unique_ptr<Backend> backend_;
};

// The value of `key` in a "key=value;..." connection string, letter case of keys ignored;
// an ODBC value in braces is returned without them. Empty when the key is absent.
QString connectionStringValue(const QString& connectionString, const QString& key);

}  // namespace DataLink

Q_DECLARE_METATYPE(DataLink::Decimal)
