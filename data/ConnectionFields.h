#pragma once

#include <QString>

// The main window's connection state that connection strings, checks and listings read:
// the PostgreSQL fields exactly as typed, and the FoxPro target.
struct ConnectionFields {
    QString server;    // Text1
    QString port;      // Text9
    QString user;      // Text3
    QString password;  // Text7
    QString database;  // Text10
    bool optionDbc = false;  // OptionDBC1: the target is the container DBCPath1
    QString dbcPath;         // DBCPath1
    QString folder;          // Text2: the free-table folder
};
