#pragma once

#include <memory>

#include "data/DataLink.h"
#include "engine/ConversionHost.h"
#include "engine/SqlScript.h"
#include "engine/TypeConversionRows.h"

// "Start Converting": copies every PostgreSQL table of the host's list into the FoxPro target,
// directly or through the SQL preview. The host is the main window or the command-line tool.
class ConversionRun {
public:
    explicit ConversionRun(ConversionHost& host);
    ~ConversionRun();

    // The whole run; a click while a run is active does nothing.
    void PushButton7_Click();
    bool busy() const { return conversionBusy_; }

    // State the SQL Preview window reads and sets while the run waits for it.
    DataLink::Connection* foxProConnection() { return foxProConn_.get(); }  // FoxPro_conn
    SqlScript& script() { return script_; }                                  // Form2's list
    TypeConversionRows& viewerRows() { return viewerRows_; }                 // Form5's list
    bool stopAfterPreview = false;  // StopAfterPreview: cleared only by "Skip Table"
    bool sqlFormOk = false;         // SQLFormOK: the previewed script ran to its end

private:
    ConversionHost& host_;
    bool conversionBusy_ = false;
    std::unique_ptr<DataLink::Connection> foxProConn_;
    SqlScript script_;
    TypeConversionRows viewerRows_;
};
