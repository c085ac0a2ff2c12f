#pragma once

#include "app/ContainerCreator.h"
#include "core/UserDialogs.h"

// Stands in until the FoxPro engine can write database containers: it tells the user that this
// version cannot create one yet and creates nothing.
class PendingContainerCreator : public ContainerCreator {
public:
    explicit PendingContainerCreator(MessageBoxes& messages) : messages_(messages) {}
    bool createEmptyContainer(const QString& dbcPath) override;

    static QString notYetMessage(const QString& dbcPath);

private:
    MessageBoxes& messages_;
};
